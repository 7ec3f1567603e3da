#include "DeptInfoDBStore.h"

#include "KivoLog.h"
#include "MiscFuncs.h"
#include "StoreLog.h"
#include "TableRewrite.h"

namespace {

const wchar_t kClass[] = L"CDeptInfoDBStore";
const wchar_t kLoadTag[] = L"CDeptInfoDBStore::LoadFromDisk";
const wchar_t kSaveTag[] = L"CDeptInfoDBStore::SaveToDisk";
const wchar_t kSelectAll[] = L"select * from DeptInfo";
const wchar_t kSelectError[] = L"select * error";
const wchar_t kDeleteRow[] = L"delete from deptinfo where Did=%d";
const wchar_t kDeleteError[] = L"delete from deptinfo error";
const wchar_t kInsertRow[] =
    L"insert into deptinfo (Cid,Did,Name,PDid,UC,FirstChild,NextSibling,Desp,Fax,HideDeptList,Addr,Tel,Website,"
    L"FirstChildUser, PartialFlag) values(%d,%d,'%s',%d,%d,%d,%d,'%s','%s','%s','%s','%s','%s',%d, %d)";
const wchar_t kInsertError[] = L"insert into deptinfo error";
const wchar_t kDeleteRemovedError[] = L"delete from deptinfo(m_mapDeleteInfo) error";
const wchar_t kCommitError[] = L"COMMIT ERROR";

void CopyNumbers(const STDeptInfo& from, STDeptInfo& to)
{
    to.Cid = from.Cid;
    to.Did = from.Did;
    to.PDid = from.PDid;
    to.FirstChild = from.FirstChild;
    to.NextSibling = from.NextSibling;
    to.UC = from.UC;
    to.FirstChildUser = from.FirstChildUser;
    to.PartialFlag = from.PartialFlag;
}

// A partial department keeps no texts.
void CopyTexts(const STDeptInfo& from, STDeptInfo& to)
{
    const bool partial = from.PartialFlag != 0;
    to.Name = partial ? L"" : from.Name;
    to.Desp = partial ? L"" : from.Desp;
    to.Fax = partial ? L"" : from.Fax;
    to.HideDeptList = partial ? L"" : from.HideDeptList;
    to.Addr = partial ? L"" : from.Addr;
    to.Tel = partial ? L"" : from.Tel;
    to.Website = partial ? L"" : from.Website;
}

STDeptInfo FromRow(const CDbSQLite::Row& row)
{
    STDeptInfo info;
    if (!row.IsEmpty(14)) info.PartialFlag = row.GetLong(14);
    info.Cid = row.GetLong(0);
    info.Did = row.GetLong(1);
    info.PDid = row.GetLong(3);
    info.UC = row.GetLong(4);
    info.FirstChild = row.GetLong(5);
    info.NextSibling = row.GetLong(6);
    info.FirstChildUser = row.GetLong(13);
    if (info.PartialFlag == 0) {
        info.Name = row.GetText(2);
        info.Desp = row.GetText(7);
        info.Fax = row.GetText(8);
        info.HideDeptList = row.GetText(9);
        info.Addr = row.GetText(10);
        info.Tel = row.GetText(11);
        info.Website = row.GetText(12);
    }
    return info;
}

CString InsertStatement(const STDeptInfo& info)
{
    CString sql;
    sql.Format(kInsertRow, info.Cid, info.Did, CMiscFuncs::Convert2SqlParam(info.Name).GetString(), info.PDid,
               info.UC, info.FirstChild, info.NextSibling, CMiscFuncs::Convert2SqlParam(info.Desp).GetString(),
               CMiscFuncs::Convert2SqlParam(info.Fax).GetString(),
               CMiscFuncs::Convert2SqlParam(info.HideDeptList).GetString(),
               CMiscFuncs::Convert2SqlParam(info.Addr).GetString(),
               CMiscFuncs::Convert2SqlParam(info.Tel).GetString(),
               CMiscFuncs::Convert2SqlParam(info.Website).GetString(), info.FirstChildUser, info.PartialFlag);
    return sql;
}

}  // namespace

void CDeptInfoDBStore::Clear()
{
    m_mapDeptInfo.clear();
    m_mapModifyInfo.clear();
    m_mapDeleteInfo.clear();
}

void CDeptInfoDBStore::ForgetPending()
{
    m_mapModifyInfo.clear();
    m_mapDeleteInfo.clear();
}

int CDeptInfoDBStore::LoadFromDisk()
{
    Clear();
    LONG rc = m_pDbSQLite->SelectEachRow(kSelectAll, [this](const CDbSQLite::Row& row) {
        STDeptInfo info = FromRow(row);
        const ULONG did = info.Did;
        m_mapDeptInfo[did] = std::move(info);  // a later row of the same Did wins
    });
    if (rc != 0) {
        Clear();  // nothing of a load that failed part way stays
        CStoreLog::StatementFailed(m_pDbSQLite, kLoadTag, kSelectError, rc);
        return 0;
    }
    return 1;
}

int CDeptInfoDBStore::SaveToDisk(int bInTransaction)
{
    CKivoLog::Print(kSaveTag, L"Begin");
    if (!m_bConsistent) {
        CStoreLog::NotLoginOver(kClass);
        return 0;
    }
    if (!SaveChanges(bInTransaction) || !SaveRemovals(bInTransaction)) return 0;
    CKivoLog::Print(kSaveTag, L"End");
    return 1;
}

int CDeptInfoDBStore::SaveChanges(int bInTransaction)
{
    std::vector<KeyRows> keys;
    for (const auto& [did, info] : m_mapModifyInfo) {
        if (m_mapDeptInfo.count(did) == 0) continue;  // removed after it was changed
        keys.emplace_back();
        keys.back().deleteRows.Format(kDeleteRow, did);
        keys.back().inserts.push_back(InsertStatement(info));
    }
    const RewriteErrors errors = {kSaveTag, kDeleteError, kInsertError, kCommitError};
    if (!RewriteKeys(m_pDbSQLite, bInTransaction, errors, keys)) return 0;
    if (!bInTransaction) m_mapModifyInfo.clear();
    return 1;
}

int CDeptInfoDBStore::SaveRemovals(int bInTransaction)
{
    std::vector<KeyRows> keys;
    for (const auto& entry : m_mapDeleteInfo) {
        if (m_mapDeptInfo.count(entry.first) != 0) continue;  // added back after its removal
        keys.emplace_back();
        keys.back().deleteRows.Format(kDeleteRow, entry.first);
    }
    const RewriteErrors errors = {kSaveTag, kDeleteRemovedError, nullptr, kCommitError};
    if (!RewriteKeys(m_pDbSQLite, bInTransaction, errors, keys)) return 0;
    if (!bInTransaction) m_mapDeleteInfo.clear();
    return 1;
}

int CDeptInfoDBStore::SaveDeptInfo(const STDeptInfo& info)
{
    STDeptInfo& held = m_mapDeptInfo[info.Did];
    CopyNumbers(info, held);
    CopyTexts(info, held);
    m_mapModifyInfo[info.Did] = info;  // the latest record is the one written
    return 1;
}

int CDeptInfoDBStore::LoadDeptInfo(std::list<boost::shared_ptr<STDeptInfo>>& lstDept)
{
    for (const auto& entry : m_mapDeptInfo) {
        boost::shared_ptr<STDeptInfo> copy = STDeptInfo::CreateObject();
        CopyNumbers(entry.second, *copy);
        CopyTexts(entry.second, *copy);
        lstDept.push_back(copy);
    }
    return 1;
}

int CDeptInfoDBStore::RemoveDeptInfo(ULONG ulDeptId)
{
    auto held = m_mapDeptInfo.find(ulDeptId);
    if (held == m_mapDeptInfo.end()) return 1;
    m_mapDeleteInfo.emplace(ulDeptId, held->second);  // keeps an earlier entry
    m_mapDeptInfo.erase(held);
    return 1;
}
