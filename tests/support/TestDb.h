// What most tests need: a fresh folder, a database path in it, a plain SQLite connection
// to read back what landed, and the log records captured.
#pragma once

#include <sqlite3.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "CString.h"
#include "KivoLog.h"

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

// Captures every log record while alive.
class LogCapture {
public:
    LogCapture();
    ~LogCapture();
    const std::vector<KivoLogRecord>& Records() const { return m_records; }
    bool Has(const std::wstring& function, const std::wstring& messagePrefix) const;
    bool HasText(const std::wstring& text) const;
    bool AnyContains(const std::wstring& piece) const;
    void Clear() { m_records.clear(); }

private:
    std::vector<KivoLogRecord> m_records;
};

// A plain connection to a test file, beside whatever the store does with it.
class PlainDb {
public:
    explicit PlainDb(const std::string& path);
    ~PlainDb();
    PlainDb(const PlainDb&) = delete;
    PlainDb& operator=(const PlainDb&) = delete;
    void Exec(const std::string& sql);
    std::vector<std::vector<std::string>> Rows(const std::string& sql);
    std::string Value(const std::string& sql);
    long Count(const std::string& table);

private:
    sqlite3* m_db = nullptr;
};

// Creates every table of the store in the file at path (through a throwaway CStore).
void CreateSchema(const std::string& path);

class StoreTest : public ::testing::Test {
protected:
    std::string DbPath() const { return m_dir.File("store.db"); }
    CString DbPathW() const;

    TempDir m_dir;
    LogCapture m_log;
};
