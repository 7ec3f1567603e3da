#include "RecentContactorDBStore.h"

#include "KivoLog.h"
#include "StoreLog.h"
#include "TableLoad.h"
#include "TableRewrite.h"
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

CString ReplaceRow(const STRecentContactor& recent)
{
    CString sql;
    sql.Format(kReplaceRow, recent.type, recent.recentId, recent.time);
    return sql;
}

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
    // What the table still owes is what memory held before the load.
    for (const auto& entry : m_mapPendingRow) Hold(entry.second);
    CKivoLog::Print(kLoadTag, L"End");
    return 1;
}

int CRecentContactorDBStore::SaveToDisk(int bInTransaction)
{
    CKivoLog::Print(kSaveTag, L"Begin");
    // Every change was written when made; only a clear is left to write.
    if (!m_bCleared) {
        CKivoLog::Print(kSaveTag, L"End");
        return 1;
    }
    if (!WriteClear(bInTransaction)) return 0;
    if (!bInTransaction) ForgetPending();
    CKivoLog::Print(kSaveTag, L"End");
    return 1;
}

// Empties the table, then writes what was added since the clear, so the table holds
// exactly what memory holds: the rows added at once stay, the cleared ones go.
bool CRecentContactorDBStore::WriteClear(int bInTransaction)
{
    if (m_mapRecent.empty() && !bInTransaction) {
        LONG rc = m_pDbSQLite->DirectStatement(kDeleteAll);
        if (rc == kDone) return true;
        CStoreLog::StatementFailed(m_pDbSQLite, kSaveDirectTag, kClearError, rc);
        return false;
    }
    std::vector<CString> rows;
    for (const auto& entry : m_mapRecent) rows.push_back(ReplaceRow(entry.second));
    // Several statements: one transaction, so the table is never left empty half way.
    const RewriteTexts texts = {kSaveInTransactionTag, kDeleteAll, kClearError, kClearError};
    return RewriteTable(m_pDbSQLite, bInTransaction, texts, rows) == 1;
}

// A clear that was written wrote memory whole, the pending rows with it.
void CRecentContactorDBStore::ForgetPending()
{
    if (!m_bCleared) return;
    m_bCleared = false;
    m_mapPendingRow.clear();
}

// Each row on its own, outside any transaction, as the slots write it; the first that
// fails ends the walk.
int CRecentContactorDBStore::WritePendingRows()
{
    for (auto it = m_mapPendingRow.begin(); it != m_mapPendingRow.end(); it = m_mapPendingRow.erase(it)) {
        const PendingRow& row = it->second;
        CString sql;
        if (row.remove) {
            sql.Format(kDeleteRow, row.recent.type, row.recent.recentId);
        } else {
            sql = ReplaceRow(row.recent);
        }
        LONG rc = m_pDbSQLite->DirectStatement(sql);
        if (rc != kDone) {
            CStoreLog::StatementFailed(m_pDbSQLite, kUpdateTag, kDirectError, rc);
            return 0;
        }
    }
    return 1;
}

void CRecentContactorDBStore::GetRecentContactors(std::list<STRecentContactor>& lstRecent) const
{
    for (const auto& entry : m_mapRecent) lstRecent.push_back(entry.second);
}

void CRecentContactorDBStore::UpdateRecentContactor(int recentId, int type, int time)
{
    PendingRow row{{recentId, type, time}, false};
    Hold(row);
    WriteAtOnce(row);  // also when the eviction took this very record
}

void CRecentContactorDBStore::Hold(const PendingRow& row)
{
    const ULONG key = static_cast<ULONG>(row.recent.recentId);
    if (row.remove) {
        m_mapRecent.erase(key);  // whatever type the held record has
        return;
    }
    auto inserted = m_mapRecent.insert_or_assign(key, row.recent);
    if (inserted.second && m_mapRecent.size() > kMaxRecents) EvictOldest();
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
    PendingRow row{{recentId, type, 0}, true};
    Hold(row);
    WriteAtOnce(row);
}

void CRecentContactorDBStore::ClearRecentContactor()
{
    m_mapRecent.clear();
    m_bCleared = true;
}

// The row joins those still owed, and they all go in order, so one that failed before
// gets in with the next that succeeds.
void CRecentContactorDBStore::WriteAtOnce(const PendingRow& row)
{
    m_mapPendingRow[{row.recent.type, row.recent.recentId}] = row;
    WritePendingRows();
}
