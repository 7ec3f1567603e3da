#include "StatementCache.h"

#include <sqlite3.h>

StatementCache::StatementCache(size_t capacity) : m_capacity(capacity == 0 ? 1 : capacity) {}

StatementCache::~StatementCache()
{
    Clear();
}

sqlite3_stmt* StatementCache::Find(std::string_view shape)
{
    auto found = m_index.find(shape);
    if (found == m_index.end()) return nullptr;
    m_entries.splice(m_entries.begin(), m_entries, found->second);
    return found->second->stmt;
}

void StatementCache::Add(const std::string& shape, sqlite3_stmt* stmt)
{
    if (m_entries.size() >= m_capacity) {
        Entry& oldest = m_entries.back();
        m_index.erase(oldest.shape);
        sqlite3_finalize(oldest.stmt);
        m_entries.pop_back();
    }
    m_entries.push_front(Entry{shape, stmt});
    m_index.emplace(m_entries.front().shape, m_entries.begin());
}

void StatementCache::Clear()
{
    m_index.clear();
    for (Entry& entry : m_entries) sqlite3_finalize(entry.stmt);
    m_entries.clear();
}
