#include "RecentContactorDBStore.h"

#include "KivoLog.h"
#include "StoreLog.h"
#include "TableLoad.h"
#include "WideConv.h"

namespace {

const wchar_t kLoadTag[] = L"CRecentContactorDBStore::LoadFromDisk";
const wchar_t kSaveTag[] = L"CRecentContactorDBStore::SaveToDisk";
const wchar_t kUpdateTag[] = L"CRecentContactorDBStore::UpdateRecentContactor";
const wchar_t kSaveDirectTag[] = L"CRecentContactorDBStore::SaveToDisk DirectStatement";
const wchar_t kSaveInTransactionTag[] = L"CRecentContactorDBStore::SaveToDisk ExecInTransaction";
const wchar_t kSelectLatest[] = L"select * from RecentContact ORDER BY %s DESC LIMIT %d";
const wchar_t kTimeColumn[] = L"time";
const wchar_t kSelectError[] = L"select * error";
const wchar_t kReplaceRow[] = L"replace into RecentContact (type,recentId,time) values (%d, %d, %d)";
const wchar_t kDeleteRow[] = L"delete from RecentContact where type = %d and recentId = %d";
const wchar_t kDirectError[] = L"DirectStatement ERROR";
const wchar_t kDeleteAll[] = L"delete from RecentContact";
const wchar_t kClearError[] = L"clear RecentContact error";
const LONG kDone = 101;

}  // namespace

int CRecentContactorDBStore::LoadFromDisk()
{
    CKivoLog::Print(kLoadTag, L"Begin");
    m_mapRecent.clear();
    m_bCleared = false;
    CString sql;
    sql.Format(kSelectLatest, kTimeColumn, static_cast<int>(kMaxRecents));
    CDbSQLite::ResultTable table;
    if (!SelectAll(m_pDbSQLite, {kLoadTag, sql, kSelectError}, table)) return 0;
    for (size_t row = 0; row < table.GetRowCount(); ++row) {
        STRecentContactor recent;
        recent.type = _wtol(table.GetValue(row, 0));
        recent.recentId = _wtol(table.GetValue(row, 1));
        recent.time = _wtol(table.GetValue(row, 2));
        m_mapRecent.emplace(static_cast<ULONG>(recent.recentId), recent);  // rows come latest first
    }
    CKivoLog::Print(kLoadTag, L"End");
    return 1;
}

int CRecentContactorDBStore::SaveToDisk(int bInTransaction)
{
    CKivoLog::Print(kSaveTag, L"Begin");
    // Every change was written when made; only a clear is left to write.
    if (!m_bCleared || !m_mapRecent.empty()) {
        CKivoLog::Print(kSaveTag, L"End");
        return 1;
    }
    if (bInTransaction) {
        LONG rc = m_pDbSQLite->ExecInTransaction(kDeleteAll);
        if (rc != 0) {
            CStoreLog::StatementFailed(m_pDbSQLite, kSaveInTransactionTag, kClearError, rc);
            return 0;
        }
    } else {
        LONG rc = m_pDbSQLite->DirectStatement(kDeleteAll);
        if (rc != kDone) {
            CStoreLog::StatementFailed(m_pDbSQLite, kSaveDirectTag, kClearError, rc);
            return 0;
        }
        m_bCleared = false;
    }
    CKivoLog::Print(kSaveTag, L"End");
    return 1;
}

void CRecentContactorDBStore::ForgetPending()
{
    // A save that found recents in memory wrote no clear, so the clear is still due.
    if (m_mapRecent.empty()) m_bCleared = false;
}

void CRecentContactorDBStore::GetRecentContactors(std::list<STRecentContactor>& lstRecent) const
{
    for (const auto& entry : m_mapRecent) lstRecent.push_back(entry.second);
}

void CRecentContactorDBStore::UpdateRecentContactor(int recentId, int type, int time)
{
    auto inserted = m_mapRecent.emplace(static_cast<ULONG>(recentId), STRecentContactor());
    STRecentContactor& held = inserted.first->second;
    held.recentId = recentId;
    held.type = type;
    held.time = time;
    if (inserted.second && m_mapRecent.size() > kMaxRecents) EvictOldest();

    CString sql;
    sql.Format(kReplaceRow, type, recentId, time);
    WriteAtOnce(sql);
}

// The oldest goes (times compared unsigned); on a tie the lowest recentId. Its row stays.
void CRecentContactorDBStore::EvictOldest()
{
    auto oldest = m_mapRecent.begin();
    for (auto it = m_mapRecent.begin(); it != m_mapRecent.end(); ++it) {
        if (static_cast<ULONG>(it->second.time) < static_cast<ULONG>(oldest->second.time)) oldest = it;
    }
    m_mapRecent.erase(oldest);
}

void CRecentContactorDBStore::DeleteRecentContactor(int recentId, int type)
{
    m_mapRecent.erase(static_cast<ULONG>(recentId));  // whatever type the held record has
    CString sql;
    sql.Format(kDeleteRow, type, recentId);
    WriteAtOnce(sql);
}

void CRecentContactorDBStore::ClearRecentContactor()
{
    m_mapRecent.clear();
    m_bCleared = true;
}

void CRecentContactorDBStore::WriteAtOnce(const CString& sql)
{
    LONG rc = m_pDbSQLite->DirectStatement(sql);
    if (rc != kDone) CStoreLog::StatementFailed(m_pDbSQLite, kUpdateTag, kDirectError, rc);
}
