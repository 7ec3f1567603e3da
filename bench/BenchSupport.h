// What every benchmark family shares: a temp folder, a raw connection set up like the
// wrapper's, the user rows, and the raw baselines (prepared statements, bound values).
// Benchmark names are "Family/Side"; scripts/bench-ratios.py divides each side by "Raw".
#pragma once

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "CString.h"

class CDbSQLite;
class IStore;

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
// The store's create statement of a table; aborts the run when there is none.
const wchar_t* TableCreateSql(const wchar_t* table);

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

// One prepared statement of the raw baselines: bind, run to its end, reset.
class RawStatement {
public:
    RawStatement(sqlite3* db, const char* sql);
    ~RawStatement();
    RawStatement(const RawStatement&) = delete;
    RawStatement& operator=(const RawStatement&) = delete;
    RawStatement& Int(int index, int64_t value);
    // Wide text goes in as UTF-8, as the wrapper binds it.
    RawStatement& Text(int index, const std::wstring& text);
    RawStatement& Utf8(int index, const std::string& text);
    void Run();
    sqlite3_stmt* Get() const { return m_stmt; }

private:
    sqlite3* m_db;
    sqlite3_stmt* m_stmt = nullptr;
};

// Raw column reads as the store's records hold them.
std::wstring RawWide(sqlite3_stmt* stmt, int column);
// A number column as the store reads it back: its low 32 bits.
uint32_t RawU32(sqlite3_stmt* stmt, int column);

// A raw connection on a fresh file holding the named tables with the store's indexes,
// created outside any timing.
sqlite3* OpenRawWithTables(const std::string& path, std::initializer_list<const wchar_t*> tables);

// True when the table holds the same rows in both files, in the same order, each cell of
// the same type and value.
bool SameRows(const std::string& pathA, const std::string& pathB, const wchar_t* table);

// Points the store at a fresh file and creates its schema there, then closes the file,
// so that a save that follows times only itself.
void PointStoreAtFreshFile(IStore& store, const std::string& path);
// Points the store at an existing file, closed.
void PointStoreAtFile(IStore& store, const std::string& path);

// Times a side and its raw baseline alternating in one loop, the order flipped every
// iteration, each on its own clocks: on a shared machine, load and sync times drift far
// more between runs than the differences measured. prepare (when given) runs untimed before
// each pair. The benchmark's time (use UseManualTime) is the side's; the raw side's goes
// to the counters raw_real_us and raw_cpu_us and the side's CPU to side_cpu_us, which
// scripts/bench-ratios.py pairs up.
void RunPaired(benchmark::State& state, const std::function<void()>& side, const std::function<void()>& raw,
               const std::function<void()>& prepare = nullptr);

// Heap bytes in use (allocator's view) and the process's resident peak since the last
// ResetPeak, for the bytes-per-record counters.
size_t HeapInUse();
void ResetPeak();
size_t ResidentBytes();
size_t PeakResidentBytes();

}  // namespace bench
