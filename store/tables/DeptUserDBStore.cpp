#include "DeptUserDBStore.h"

#include "KivoLog.h"
#include "StoreLog.h"
#include "TableRewrite.h"

struct CDeptUserDBStore::Texts {
    const wchar_t* selectAll;
    const wchar_t* deleteRemoved;
    const wchar_t* deleteRemovedError;
    const wchar_t* deleteChanged;
    const wchar_t* deleteChangedError;
    const wchar_t* insertRow;
    const wchar_t* insertError;
};

namespace {

const wchar_t kClass[] = L"CDeptUserDBStore";
const wchar_t kLoadTag[] = L"CDeptUserDBStore::LoadFromDisk";
const wchar_t kSaveTag[] = L"CDeptUserDBStore::SaveToDisk";
const wchar_t kSelectError[] = L"select * error";
const wchar_t kCommitError[] = L"Commit error";

const CDeptUserDBStore::Texts kDeptUserInfo = {
    L"select * from DeptUserInfo",
    L"delete from DeptUserInfo where Did=%d",
    L"delete from DeptUserInfo(m_mapDeleteInfo) error",
    L"delete from DeptUserInfo where Did=%d ",
    L"delete from DeptUserInfo error",
    L"insert into DeptUserInfo (Did,Uid,NextSiblingUid) values (%d,%d,%d)",
    L"insert into DeptUserInfo error",
};

const CDeptUserDBStore::Texts kDeptUserInfoEx = {
    L"select * from DeptUserInfoEx",
    L"delete from DeptUserInfoEx where Did=%d",
    L"delete from DeptUserInfoEx(m_mapDeleteInfo) error",
    L"delete from DeptUserInfoEx where Did=%d ",
    L"delete from DeptUserInfoEx error",
    L"insert into DeptUserInfoEx (Did,Uid,NextSiblingUid) values (%d,%d,%d)",
    L"insert into DeptUserInfoEx error",
};

}  // namespace

CDeptUserDBStore::CDeptUserDBStore(CDbSQLite* pDbSQLite)
    : m_sets{TableSet{&kDeptUserInfo, {}, {}, {}}, TableSet{&kDeptUserInfoEx, {}, {}, {}}},
      m_pDbSQLite(pDbSQLite)
{
}

int CDeptUserDBStore::LoadFromDisk(DeptUserSet which)
{
    TableSet& set = Set(which);
    set.m_mapDeptUser.clear();
    set.m_mapModifyInfo.clear();
    set.m_mapDeleteInfo.clear();
    LONG rc = m_pDbSQLite->SelectEachRow(set.texts->selectAll, [&set](const CDbSQLite::Row& row) {
        const ULONG did = static_cast<ULONG>(row.GetLong(0));
        const ULONG uid = static_cast<ULONG>(row.GetLong(1));
        const ULONG next = static_cast<ULONG>(row.GetLong(2));
        STDeptUserInfo& held = set.m_mapDeptUser[did];
        held.Did = did;
        held.mapUser.emplace(uid, next);  // the first row of a user stays
    });
    if (rc != 0) {
        set.m_mapDeptUser.clear();  // nothing of a load that failed part way stays
        CStoreLog::StatementFailed(m_pDbSQLite, kLoadTag, kSelectError, rc);
        return 0;
    }
    return 1;
}

int CDeptUserDBStore::SaveToDisk(DeptUserSet which, int bInTransaction)
{
    CKivoLog::Print(kSaveTag, L"Begin");
    if (!m_bConsistent) {
        CStoreLog::NotLoginOver(kClass);
        return 0;
    }
    TableSet& set = Set(which);
    if (!SaveRemovals(set, bInTransaction) || !SaveChanges(set, bInTransaction)) return 0;
    CKivoLog::Print(kSaveTag, L"End");
    return 1;
}

void CDeptUserDBStore::ForgetPending(DeptUserSet which)
{
    Set(which).m_mapModifyInfo.clear();
    Set(which).m_mapDeleteInfo.clear();
}

int CDeptUserDBStore::SaveRemovals(TableSet& set, int bInTransaction)
{
    std::vector<KeyRows> keys;
    for (const auto& entry : set.m_mapDeleteInfo) {
        keys.emplace_back();
        keys.back().deleteRows.Format(set.texts->deleteRemoved, entry.first);
    }
    const RewriteErrors errors = {kSaveTag, set.texts->deleteRemovedError, nullptr, kCommitError};
    if (!RewriteKeys(m_pDbSQLite, bInTransaction, errors, keys)) return 0;
    if (!bInTransaction) set.m_mapDeleteInfo.clear();
    return 1;
}

int CDeptUserDBStore::SaveChanges(TableSet& set, int bInTransaction)
{
    std::vector<KeyRows> keys;
    for (const auto& [did, info] : set.m_mapModifyInfo) {
        if (set.m_mapDeptUser.count(did) == 0) continue;  // dropped after it was replaced
        keys.emplace_back();
        KeyRows& rows = keys.back();
        rows.deleteRows.Format(set.texts->deleteChanged, did);
        for (const auto& [uid, next] : info.mapUser) {
            rows.inserts.emplace_back();
            rows.inserts.back().Format(set.texts->insertRow, did, uid, next);
        }
    }
    const RewriteErrors errors = {kSaveTag, set.texts->deleteChangedError, set.texts->insertError, kCommitError};
    if (!RewriteKeys(m_pDbSQLite, bInTransaction, errors, keys)) return 0;
    if (!bInTransaction) set.m_mapModifyInfo.clear();
    return 1;
}

int CDeptUserDBStore::SaveDeptUserInfo(DeptUserSet which, const STDeptUserInfo& info)
{
    TableSet& set = Set(which);
    set.m_mapDeptUser[info.Did] = info;
    set.m_mapModifyInfo[info.Did] = info;
    return 1;
}

int CDeptUserDBStore::RemoveDeptUserInfo(DeptUserSet which, ULONG ulDeptId)
{
    TableSet& set = Set(which);
    auto held = set.m_mapDeptUser.find(ulDeptId);
    if (held == set.m_mapDeptUser.end()) return 0;
    set.m_mapDeleteInfo[ulDeptId] = held->second;
    set.m_mapDeptUser.erase(held);
    return 1;
}

int CDeptUserDBStore::LoadDeptUserInfo(DeptUserSet which, ULONG ulDeptId, STDeptUserInfo& info)
{
    info.mapUser.clear();
    info.Did = 0;
    const TableSet& set = Set(which);
    auto held = set.m_mapDeptUser.find(ulDeptId);
    if (held == set.m_mapDeptUser.end()) return 0;
    info.mapUser = held->second.mapUser;
    info.Did = ulDeptId;
    return 1;
}
