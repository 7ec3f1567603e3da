// Which users belong to which department, in two independent table sets of one shape:
// DeptUserInfo and DeptUserInfoEx (Did, Uid, NextSiblingUid). Saves are incremental,
// removals first: a dropped list has its rows deleted, a replaced list is deleted and
// inserted again. One consistent flag covers both sets.
#pragma once

#include <array>
#include <map>

#include "DbSQLite.h"
#include "DeptUserInfo.h"

enum class DeptUserSet { Base = 0, Ex = 1 };  // DeptUserInfo, DeptUserInfoEx

class CDeptUserDBStore {
public:
    explicit CDeptUserDBStore(CDbSQLite* pDbSQLite);

    int LoadFromDisk(DeptUserSet set);
    int SaveToDisk(DeptUserSet set, int bInTransaction);
    void SetConsistent(bool bConsistent) { m_bConsistent = bConsistent; }
    // Drops the pending entries a save under the caller's transaction wrote.
    void ForgetPending(DeptUserSet set);

    int SaveDeptUserInfo(DeptUserSet set, const STDeptUserInfo& info);
    int RemoveDeptUserInfo(DeptUserSet set, ULONG ulDeptId);
    int LoadDeptUserInfo(DeptUserSet set, ULONG ulDeptId, STDeptUserInfo& info);

    struct Texts;

private:
    struct TableSet {
        const Texts* texts;
        std::map<ULONG, STDeptUserInfo> m_mapDeptUser;
        std::map<ULONG, STDeptUserInfo> m_mapModifyInfo;
        std::map<ULONG, STDeptUserInfo> m_mapDeleteInfo;
    };

    TableSet& Set(DeptUserSet set) { return m_sets[static_cast<size_t>(set)]; }
    int SaveRemovals(TableSet& set, int bInTransaction);
    int SaveChanges(TableSet& set, int bInTransaction);

    bool m_bConsistent = false;
    std::array<TableSet, 2> m_sets;
    CDbSQLite* m_pDbSQLite;  // not owned
};
