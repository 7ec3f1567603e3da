// Owning handles for a raw SQLite connection and statement, for the code that works below
// the wrapper (the recovery of a damaged file copies values with their SQLite types).
#pragma once

#include <sqlite3.h>

#include <string>

class SqliteConnection {
public:
    SqliteConnection() = default;
    ~SqliteConnection() { Close(); }
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    int Open(const std::string& path, int flags)
    {
        Close();
        return sqlite3_open_v2(path.c_str(), &m_db, flags, nullptr);
    }
    void Close()
    {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
    int Exec(const std::string& sql) { return sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, nullptr); }
    std::string Error() const { return m_db ? sqlite3_errmsg(m_db) : "out of memory"; }
    sqlite3* Get() const { return m_db; }

private:
    sqlite3* m_db = nullptr;
};

class SqliteStatement {
public:
    SqliteStatement() = default;
    ~SqliteStatement() { sqlite3_finalize(m_stmt); }
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    int Prepare(sqlite3* db, const std::string& sql)
    {
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        return sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &m_stmt, nullptr);
    }
    sqlite3_stmt* Get() const { return m_stmt; }

private:
    sqlite3_stmt* m_stmt = nullptr;
};
