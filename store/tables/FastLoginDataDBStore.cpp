#include "FastLoginDataDBStore.h"

#include "KivoLog.h"
#include "MiscFuncs.h"
#include "StoreLog.h"
#include "TableLoad.h"
#include "TableRewrite.h"
#include "WideConv.h"

namespace {

const wchar_t kClass[] = L"CFastLoginDataDBStore";
const wchar_t kLoadTag[] = L"CFastLoginDataDBStore::LoadFromDisk";
const wchar_t kSaveTag[] = L"CFastLoginDataDBStore::SaveToDisk";
const wchar_t kExecTag[] = L"CFastLoginDataDBStore::ExecuteTransaction";
const wchar_t kGetTimeTag[] = L"CFastLoginDataDBStore::GetLastLiveTime";
const wchar_t kSetTimeTag[] = L"CFastLoginDataDBStore::SetLastLiveTime";
const wchar_t kSelectAll[] = L"select * from Fast_Login_Data";
const wchar_t kSelectError[] = L"select * Fast_Login_Data  error";
const wchar_t kInsertPlaceholder[] = L"insert into Fast_Login_Data(Uid, LastLiveTime, SessionId) values (%d, 0, '')";
const wchar_t kDeleteAll[] = L"delete from Fast_Login_Data";
const wchar_t kDeleteError[] = L"delete from Fast_Login_Data error";
const wchar_t kInsertRow[] = L"insert into Fast_Login_Data (Uid, LastLiveTime, SessionId) values (%d, %d, '%s')";
const wchar_t kInsertError[] = L"insert into Fast_Login_Data  error";
const wchar_t kUpdateTime[] = L"Update Fast_Login_Data Set LastLiveTime= %u where Uid = %d ";
const wchar_t kUpdateSessionId[] = L"Update Fast_Login_Data Set SessionId='%s' where Uid = %d ";
const wchar_t kExecError[] = L"ExecuteInTransaction error, ";
const wchar_t kExecCommitError[] = L"COMMIT ERROR, ";
const wchar_t kNullPointer[] = L"null pointer ignored";
const int kUid = 1;

}  // namespace

int CFastLoginDataDBStore::ExecuteTransaction(const CString& sql)
{
    CKivoLog::Print(kExecTag, L"Begin");
    m_pDbSQLite->BeginTransaction();
    LONG rc = m_pDbSQLite->ExecInTransaction(sql);
    if (rc != 0) {
        CStoreLog::StatementFailed(m_pDbSQLite, kExecTag, kExecError, rc);
        return 0;
    }
    CKivoLog::Print(kExecTag);
    rc = m_pDbSQLite->CommitTransaction();
    if (rc != 0) {
        CStoreLog::StatementFailed(m_pDbSQLite, kExecTag, kExecCommitError, rc);
        return 0;
    }
    CKivoLog::Print(kExecTag, L"End");
    return 1;
}

int CFastLoginDataDBStore::LoadFromDisk()
{
    m_ulLastLiveTime = 0;
    m_strSessionId.clear();
    CDbSQLite::ResultTable table;
    if (!SelectAll(m_pDbSQLite, {kLoadTag, kSelectAll, kSelectError}, table)) return 0;
    if (table.GetRowCount() == 0) {
        InsertPlaceholder();  // the immediate updates need the row to exist
        return 1;
    }
    m_ulLastLiveTime = static_cast<ULONG>(_wtol(table.GetValue(0, 1)));
    m_strSessionId = table.GetValue(0, 2).Str();
    return 1;
}

int CFastLoginDataDBStore::InsertPlaceholder()
{
    CString sql;
    sql.Format(kInsertPlaceholder, kUid);
    return ExecuteTransaction(sql);
}

// An update finding no row (never loaded, or the row removed) would change nothing and
// answer 1, so the row the load would have made goes in first.
int CFastLoginDataDBStore::UpdateNow(const CString& sql)
{
    CDbSQLite::ResultTable table;
    const bool noRow = m_pDbSQLite->SelectStatement(kSelectAll, table) == 0 && table.GetRowCount() == 0;
    if (noRow && !InsertPlaceholder()) return 0;
    return ExecuteTransaction(sql);
}

int CFastLoginDataDBStore::SaveToDisk(int bInTransaction)
{
    CKivoLog::Print(kSaveTag, L"Begin");
    if (!m_bConsistent) {
        CStoreLog::NotLoginOver(kClass);
        return 0;
    }
    CString insert;
    insert.Format(kInsertRow, kUid, m_ulLastLiveTime, CMiscFuncs::Convert2SqlParam(m_strSessionId).GetString());
    const RewriteTexts texts = {kSaveTag, kDeleteAll, kDeleteError, kInsertError};
    if (!RewriteTable(m_pDbSQLite, bInTransaction, texts, {insert})) return 0;
    CKivoLog::Print(kSaveTag, L"End");
    return 1;
}

int CFastLoginDataDBStore::GetLastLiveTime(unsigned int* pTime) const
{
    if (!pTime) {
        CKivoLog::Print(kGetTimeTag, kNullPointer);
        return 0;
    }
    *pTime = m_ulLastLiveTime;
    return 1;
}

int CFastLoginDataDBStore::SetLastLiveTime(const unsigned int* pTime, bool bSaveNow)
{
    if (!pTime) {
        CKivoLog::Print(kSetTimeTag, kNullPointer);
        return 0;
    }
    m_ulLastLiveTime = *pTime;
    if (!bSaveNow) return 1;
    CString sql;
    sql.Format(kUpdateTime, m_ulLastLiveTime, kUid);
    return UpdateNow(sql);
}

int CFastLoginDataDBStore::GetFastLoginSessionId(std::wstring& strId) const
{
    strId = m_strSessionId;
    return 1;
}

int CFastLoginDataDBStore::SetFastLoginSessionId(const std::wstring& strId, bool bSaveNow)
{
    m_strSessionId = strId;
    if (!bSaveNow) return 1;
    CString sql;
    sql.Format(kUpdateSessionId, CMiscFuncs::Convert2SqlParam(m_strSessionId).GetString(), kUid);
    return UpdateNow(sql);
}
