// Copies what SQLite can still read of a damaged database into a sound one, table by
// table and row by row. A read that fails has met a damaged page; the copy goes on from
// the first rowid past it, so a bad page costs the rows it held and no more.
#pragma once

#include <sqlite3.h>

#include <functional>
#include <string>
#include <vector>

class CRowSalvage {
public:
    struct SchemaEntry {
        std::string type;  // table, index, trigger or view
        std::string name;
        std::string sql;
    };
    struct Copied {
        size_t rows = 0;       // rows that reached the target
        size_t stretches = 0;  // unreadable stretches stepped over
        int error = SQLITE_OK; // a write into the target that failed, which ends the copy
    };

    CRowSalvage(sqlite3* source, sqlite3* target) : m_source(source), m_target(target) {}

    // The readable rows of the source's sqlite_master that carry a creation text.
    std::vector<SchemaEntry> ReadSchema();
    // Copies the readable rows of one table into the table of that name in the target.
    Copied CopyTable(const std::string& name);

    static std::string Quote(const std::string& identifier);

private:
    typedef std::function<int(sqlite3_stmt* row)> RowSink;
    int Scan(sqlite3_stmt* read, const RowSink& onRow, size_t* stretches);
    int CopyWithoutRowid(const std::string& quoted, const RowSink& onRow, size_t* stretches);

    sqlite3* m_source;
    sqlite3* m_target;
};
