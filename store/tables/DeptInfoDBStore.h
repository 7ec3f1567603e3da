// The departments of the directory, keyed by department id, in table DeptInfo.
// Saves are incremental: each changed department is deleted and inserted again, each
// removed one deleted; the store has a consistent flag and runs its own transaction
// unless the caller holds one.
#pragma once

#include <list>
#include <map>

#include <boost/shared_ptr.hpp>

#include "DbSQLite.h"
#include "DeptInfo.h"

class CDeptInfoDBStore {
public:
    explicit CDeptInfoDBStore(CDbSQLite* pDbSQLite) : m_pDbSQLite(pDbSQLite) {}

    int LoadFromDisk();
    int SaveToDisk(int bInTransaction);
    void SetConsistent(bool bConsistent) { m_bConsistent = bConsistent; }
    // Drops the pending changes a save under the caller's transaction wrote.
    void ForgetPending();

    int SaveDeptInfo(const STDeptInfo& info);
    int LoadDeptInfo(std::list<boost::shared_ptr<STDeptInfo>>& lstDept);
    int RemoveDeptInfo(ULONG ulDeptId);

private:
    int SaveChanges(int bInTransaction);
    int SaveRemovals(int bInTransaction);
    void Clear();

    bool m_bConsistent = false;
    std::map<ULONG, STDeptInfo> m_mapDeptInfo;
    std::map<ULONG, STDeptInfo> m_mapModifyInfo;
    std::map<ULONG, STDeptInfo> m_mapDeleteInfo;
    CDbSQLite* m_pDbSQLite;  // not owned
};
