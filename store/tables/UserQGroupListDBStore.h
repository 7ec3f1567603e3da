// The ids of the user's group chats, in the order last set or loaded, in table
// UserQGroupId. A save rewrites the whole table; no consistent flag, own transaction
// unless the caller holds one.
#pragma once

#include <list>

#include "DbSQLite.h"

class CUserQGroupListDBStore {
public:
    explicit CUserQGroupListDBStore(CDbSQLite* pDbSQLite) : m_pDbSQLite(pDbSQLite) {}

    int LoadFromDisk();
    int SaveToDisk(int bInTransaction);

    int GetUserQGroupList(std::list<int>& lstIds) const;
    int SetUserQGroupList(const std::list<int>& lstIds);

private:
    std::list<int> m_lstQGroupId;  // each id once, at the place it was last given
    CDbSQLite* m_pDbSQLite;        // not owned
};
