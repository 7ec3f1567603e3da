// What most tests need: a fresh folder, a database path in it, a plain SQLite connection
// to read back what landed, and the log records captured.
#pragma once

#include <sqlite3.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "CString.h"
#include "KivoLog.h"

using Rows = std::vector<std::vector<std::string>>;

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
    // The code of sqlite3_exec, and its message on failure.
    int Run(const std::string& sql, std::string* message);
    // A trigger that aborts with 'refused' before the event named, e.g. "insert on T when new.a = 1".
    void Refuse(const std::string& on, const std::string& name = "refuse");
    ::Rows Rows(const std::string& sql);
    std::string Value(const std::string& sql);
    long Count(const std::string& table);
    // The row counts of the tables, as "3 0 1".
    std::string Counts(const std::vector<std::string>& tables);

private:
    sqlite3* m_db = nullptr;
};

// The bytes of a file; empty when it is missing.
std::string ReadFile(const std::string& path);

// The permission bits of a file (links followed); 0 when it is missing.
unsigned ModeOf(const std::string& path);

// The names in a folder, sorted.
std::vector<std::string> FolderEntries(const std::string& folder);

// A shell command line run to its end: its exit code (-1 if it did not exit) and its stdout.
struct CommandRun {
    int exitCode;
    std::string out;
};
CommandRun RunCommand(const std::string& commandLine);

// Creates every table of the store in the file at path (through a throwaway CStore).
void CreateSchema(const std::string& path);

class StoreTest : public ::testing::Test {
protected:
    std::string DbPath() const { return m_dir.File("store.db"); }
    CString DbPathW() const;

    TempDir m_dir;
    LogCapture m_log;
};
