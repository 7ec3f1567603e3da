// The (session id, display id) pairs, each once, in insertion order, in table UpdateSessionlistId.
// The store owns its records and hands out its own pointers; a save rewrites the whole
// table. No consistent flag; own transaction unless the caller holds one.
#pragma once

#include <list>
#include <memory>

#include "DbSQLite.h"
#include "SessionDisplayId.h"

class CUpdateSessionListDBStore {
public:
    explicit CUpdateSessionListDBStore(CDbSQLite* pDbSQLite) : m_pDbSQLite(pDbSQLite) {}

    int LoadFromDisk();
    int SaveToDisk(int bInTransaction);

    // Appends the store's own pointers: valid until the next save(), load or destruction.
    int GetUpdateSessionList(std::list<STSessionDisplayId*>& lst) const;
    // Replaces the held pairs by copies; lst may hold pointers this store handed out.
    int save(std::list<STSessionDisplayId*> lst);

private:
    std::list<std::unique_ptr<STSessionDisplayId>> m_lstSessionDisplayId;
    CDbSQLite* m_pDbSQLite;  // not owned
};
