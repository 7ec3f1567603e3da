#include "SessionListDBStore.h"

#include "KivoLog.h"
#include "MiscFuncs.h"
#include "TableLoad.h"
#include "TableRewrite.h"
#include "WideConv.h"

namespace {

const wchar_t kLoadTag[] = L"CSessionListDBStore::LoadFromDisk";
const wchar_t kSaveTag[] = L"CSessionListDBStore::SaveToDisk";
const wchar_t kSelectAll[] = L"select * from SessionList";
const wchar_t kSelectError[] = L"select * from SessionList  error";
const wchar_t kDeleteRow[] = L"delete from SessionList where SessionId=%d";
const wchar_t kInsertRow[] =
    L"insert into SessionList (SessionId,RoomId,Title,Cid,Uid,CreateSource,Transfer) values (%d,%d,'%s',%d,%d,%d,'%s')";

STSessionInfo FromRow(const CDbSQLite::ResultTable& table, size_t row)
{
    STSessionInfo info;
    info.SessionId = _wtol(table.GetValue(row, 0));
    info.RoomId = _wtol(table.GetValue(row, 1));
    info.Title = table.GetValue(row, 2).Str();
    info.Cid = static_cast<ULONG>(_wtol(table.GetValue(row, 3)));
    info.Uid = static_cast<ULONG>(_wtol(table.GetValue(row, 4)));
    info.CreateSource = _wtol(table.GetValue(row, 5));
    info.Transfer = table.GetValue(row, 6).Str();
    return info;
}

KeyRows SessionRows(LONG sessionId, const STSessionInfo& info)
{
    KeyRows rows;
    rows.deleteRows.Format(kDeleteRow, sessionId);
    rows.inserts.emplace_back();
    rows.inserts.back().Format(kInsertRow, info.SessionId, info.RoomId,
                               CMiscFuncs::Convert2SqlParam(info.Title).GetString(), info.Cid, info.Uid,
                               info.CreateSource, CMiscFuncs::Convert2SqlParam(info.Transfer).GetString());
    return rows;
}

}  // namespace

int CSessionListDBStore::LoadFromDisk()
{
    m_mapSessionInfo.clear();
    CDbSQLite::ResultTable table;
    if (!SelectAll(m_pDbSQLite, {kLoadTag, kSelectAll, kSelectError}, table)) return 0;
    for (size_t row = 0; row < table.GetRowCount(); ++row) {
        STSessionInfo info = FromRow(table, row);
        m_mapSessionInfo.emplace(info.SessionId, info);  // the first row of an id stays
    }
    return 1;
}

// A failed statement returns 0 without a line of its own; the wrapper has already
// rolled the transaction back, so nothing half-written is committed.
int CSessionListDBStore::SaveToDisk(int bInTransaction)
{
    CKivoLog::Print(kSaveTag, L"Begin");
    std::vector<KeyRows> keys;
    keys.reserve(m_mapSessionInfo.size());
    for (const auto& [sessionId, info] : m_mapSessionInfo) keys.push_back(SessionRows(sessionId, info));
    const RewriteErrors unlogged = {kSaveTag, nullptr, nullptr, nullptr};
    if (!RewriteKeys(m_pDbSQLite, bInTransaction, unlogged, keys)) return 0;
    CKivoLog::Print(kSaveTag, L"End");
    return 1;
}

void CSessionListDBStore::LoadSessionList(std::list<STSessionInfo>& lstSession) const
{
    for (const auto& entry : m_mapSessionInfo) lstSession.push_back(entry.second);
}

void CSessionListDBStore::SaveSessionList(const std::list<STSessionInfo>& lstSession)
{
    for (const STSessionInfo& info : lstSession) m_mapSessionInfo[info.SessionId] = info;
}
