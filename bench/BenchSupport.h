// What every benchmark family shares: a temp folder, a raw connection set up like the
// wrapper's, the user rows, and the raw baselines (prepared statements, bound values).
// Benchmark names are "Family/Side"; scripts/bench-ratios.py divides each side by "Raw".
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <vector>

#include "CString.h"

class CDbSQLite;

namespace bench {

const int kUserRows = 100000;

class BenchDir {
public:
    BenchDir();
    ~BenchDir();
    BenchDir(const BenchDir&) = delete;
    BenchDir& operator=(const BenchDir&) = delete;
    // A fresh file name in the folder; any earlier file of that name is removed.
    std::string FreshFile(const std::string& name) const;

private:
    std::string m_path;
};

struct UserRow {
    uint32_t uid;
    uint32_t cid;
    std::wstring corpAccount;
    std::wstring account;
    std::wstring name;
    int gender;
    int partialFlag;
    int existFlag;
    std::wstring position;
    int activeState;
};

// Deterministic rows, made once; some names hold quotes so that the text side escapes
// for real, and the uids lie above 2^31 as %u writes them.
const std::vector<UserRow>& UserRows();
const wchar_t* UserTableCreateSql();

// The user insert as a table store writes it: formatted text, texts escaped.
CString UserInsertText(const UserRow& row);
CString UserReplaceText(const UserRow& row);

// Opens the file through the wrapper and creates the user table when asked; false on failure.
bool OpenWrapper(CDbSQLite& db, const std::string& path, bool createUserTable);

// Raw SQLite with the wrapper's connection settings; aborts the run on failure.
sqlite3* OpenRaw(const std::string& path, bool createUserTable);
void RawExec(sqlite3* db, const char* sql);

class RawUserWriter {
public:
    RawUserWriter(sqlite3* db, const char* verb);  // verb: "insert" or "replace"
    ~RawUserWriter();
    RawUserWriter(const RawUserWriter&) = delete;
    RawUserWriter& operator=(const RawUserWriter&) = delete;
    void Write(const UserRow& row);

private:
    sqlite3* m_db;
    sqlite3_stmt* m_stmt = nullptr;
};

// A user table of kUserRows rows, filled through the raw baseline.
void FillUserFile(const std::string& path);

}  // namespace bench
