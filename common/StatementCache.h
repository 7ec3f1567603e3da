// Prepared statements kept by shape text, least recently used first out. The cache owns
// them: an evicted one is finalized at once, and Clear finalizes all before the
// connection closes.
#pragma once

#include <cstddef>
#include <list>
#include <string>
#include <string_view>
#include <unordered_map>

struct sqlite3_stmt;

class StatementCache {
public:
    explicit StatementCache(size_t capacity);
    ~StatementCache();
    StatementCache(const StatementCache&) = delete;
    StatementCache& operator=(const StatementCache&) = delete;

    // The statement for this shape, now the most recently used; null when absent.
    sqlite3_stmt* Find(std::string_view shape);
    // Takes ownership; the shape must be absent.
    void Add(const std::string& shape, sqlite3_stmt* stmt);
    void Clear();
    size_t Size() const { return m_entries.size(); }

private:
    struct Entry {
        std::string shape;
        sqlite3_stmt* stmt;
    };
    typedef std::list<Entry> Entries;

    size_t m_capacity;
    Entries m_entries;  // most recently used first
    // Keys point into the shapes held by m_entries, whose nodes never move.
    std::unordered_map<std::string_view, Entries::iterator> m_index;
};
