#include "RowSalvage.h"

#include <cstdint>

#include "SqliteHandles.h"

namespace {

// Whether a read that starts at rowid start gets past its first step.
bool Readable(sqlite3_stmt* read, sqlite3_int64 start)
{
    sqlite3_reset(read);
    sqlite3_bind_int64(read, 1, start);
    const int rc = sqlite3_step(read);
    sqlite3_reset(read);
    return rc == SQLITE_ROW || rc == SQLITE_DONE;
}

sqlite3_int64 Advance(sqlite3_int64 from, uint64_t by)
{
    const uint64_t room = static_cast<uint64_t>(INT64_MAX) - static_cast<uint64_t>(from);
    return by >= room ? INT64_MAX : static_cast<sqlite3_int64>(static_cast<uint64_t>(from) + by);
}

// The smallest rowid above after from which a read works again: the step doubles until a
// read works, then halves back towards the last one that failed. False when no read past
// after works.
bool NextReadable(sqlite3_stmt* read, sqlite3_int64 after, sqlite3_int64* next)
{
    sqlite3_int64 bad = after;
    sqlite3_int64 good = after;
    for (uint64_t gap = 1;; gap = gap > UINT64_MAX / 2 ? UINT64_MAX : gap * 2) {
        const sqlite3_int64 candidate = Advance(after, gap);
        if (Readable(read, candidate)) {
            good = candidate;
            break;
        }
        bad = candidate;
        if (candidate == INT64_MAX) return false;
    }
    while (static_cast<uint64_t>(good) - static_cast<uint64_t>(bad) > 1) {
        const sqlite3_int64 middle = Advance(bad, (static_cast<uint64_t>(good) - static_cast<uint64_t>(bad)) / 2);
        (Readable(read, middle) ? good : bad) = middle;
    }
    *next = good;
    return true;
}

}  // namespace

std::string CRowSalvage::Quote(const std::string& identifier)
{
    std::string quoted = "\"";
    for (char ch : identifier) quoted += ch == '"' ? std::string("\"\"") : std::string(1, ch);
    return quoted + "\"";
}

// read takes the first rowid as ?1 and gives rowid as its first column, in rowid order.
int CRowSalvage::Scan(sqlite3_stmt* read, const RowSink& onRow, size_t* stretches)
{
    sqlite3_int64 start = INT64_MIN;
    for (;;) {
        sqlite3_reset(read);
        sqlite3_bind_int64(read, 1, start);
        sqlite3_int64 last = start;
        int rc;
        while ((rc = sqlite3_step(read)) == SQLITE_ROW) {
            last = sqlite3_column_int64(read, 0);
            if (int written = onRow(read); written != SQLITE_OK) {
                sqlite3_reset(read);
                return written;
            }
        }
        sqlite3_reset(read);
        if (rc == SQLITE_DONE) return SQLITE_OK;
        ++*stretches;
        if (last == INT64_MAX || !NextReadable(read, last, &start)) return SQLITE_OK;
    }
}

// A table without rowids cannot be entered past a bad page: it is read up to the first one.
int CRowSalvage::CopyWithoutRowid(const std::string& quoted, const RowSink& onRow, size_t* stretches)
{
    SqliteStatement read;
    if (read.Prepare(m_source, "select 0, * from " + quoted) != SQLITE_OK) {
        ++*stretches;
        return SQLITE_OK;
    }
    int rc;
    while ((rc = sqlite3_step(read.Get())) == SQLITE_ROW) {
        if (int written = onRow(read.Get()); written != SQLITE_OK) return written;
    }
    if (rc != SQLITE_DONE) ++*stretches;
    return SQLITE_OK;
}

std::vector<CRowSalvage::SchemaEntry> CRowSalvage::ReadSchema()
{
    std::vector<SchemaEntry> entries;
    const std::string sql = "select rowid, type, name, sql from sqlite_master where rowid >= ?1";
    SqliteStatement read;
    // A schema that fails to load part way is kept as far as it got; the second attempt
    // works on that part.
    if (read.Prepare(m_source, sql) != SQLITE_OK && read.Prepare(m_source, sql) != SQLITE_OK) return entries;
    size_t stretches = 0;
    Scan(read.Get(), [&entries](sqlite3_stmt* row) {
        const char* text[3];
        for (int c = 0; c < 3; ++c) text[c] = reinterpret_cast<const char*>(sqlite3_column_text(row, c + 1));
        if (text[0] && text[1] && text[2] && *text[2]) entries.push_back({text[0], text[1], text[2]});
        return SQLITE_OK;
    }, &stretches);
    return entries;
}

CRowSalvage::Copied CRowSalvage::CopyTable(const std::string& name)
{
    Copied copied;
    const std::string quoted = Quote(name);
    SqliteStatement read;
    const bool rowids = read.Prepare(m_source, "select rowid, * from " + quoted + " where rowid >= ?1") == SQLITE_OK;
    SqliteStatement columns;
    if (columns.Prepare(m_source, "select * from " + quoted) != SQLITE_OK) {
        copied.stretches = 1;
        return copied;
    }
    const int count = sqlite3_column_count(columns.Get());
    std::string insert = "insert or ignore into main." + quoted + " values(";
    for (int c = 0; c < count; ++c) insert += c ? ",?" : "?";
    SqliteStatement write;
    if ((copied.error = write.Prepare(m_target, insert + ")")) != SQLITE_OK) return copied;

    const RowSink sink = [&](sqlite3_stmt* row) {
        for (int c = 0; c < count; ++c) sqlite3_bind_value(write.Get(), c + 1, sqlite3_column_value(row, c + 1));
        const int rc = sqlite3_step(write.Get());
        sqlite3_reset(write.Get());
        if (rc != SQLITE_DONE) return rc;
        copied.rows += static_cast<size_t>(sqlite3_changes(m_target));
        return SQLITE_OK;
    };
    copied.error = rowids ? Scan(read.Get(), sink, &copied.stretches)
                          : CopyWithoutRowid(quoted, sink, &copied.stretches);
    return copied;
}
