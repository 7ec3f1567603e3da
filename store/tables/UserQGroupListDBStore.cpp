#include "UserQGroupListDBStore.h"

#include "KivoLog.h"
#include "OwnTransaction.h"
#include "StoreLog.h"
#include "WideConv.h"

namespace {

const wchar_t kLoadTag[] = L"CUserQGroupListDBStore::LoadFromDisk";
const wchar_t kSaveTag[] = L"CUserQGroupListDBStore::SaveToDisk";
const wchar_t kSelectAll[] = L"select * from UserQGroupId";
const wchar_t kSelectError[] = L"select * Gid  error";
const wchar_t kDeleteAll[] = L"delete from UserQGroupId ";
const wchar_t kDeleteError[] = L"delete from UserQGroupId error";
const wchar_t kInsertRow[] = L"insert into UserQGroupId (UserQGroupId) values (%d)";
const wchar_t kInsertError[] = L"insert into UserQGroupId error";
const wchar_t kCommitError[] = L"COMMIT ERROR";

}  // namespace

int CUserQGroupListDBStore::LoadFromDisk()
{
    m_lstQGroupId.clear();
    CDbSQLite::ResultTable table;
    LONG rc = m_pDbSQLite->SelectStatement(kSelectAll, table);
    if (rc != 0) {
        CStoreLog::StatementFailed(m_pDbSQLite, kLoadTag, kSelectError, rc);
        return 0;
    }
    for (size_t row = 0; row < table.GetRowCount(); ++row) m_lstQGroupId.push_back(_wtol(table.GetValue(row, 0)));
    return 1;
}

int CUserQGroupListDBStore::SaveToDisk(int bInTransaction)
{
    CKivoLog::Print(kSaveTag, L"Begin");
    COwnTransaction transaction(m_pDbSQLite, bInTransaction);
    transaction.Begin();
    LONG rc = m_pDbSQLite->ExecInTransaction(kDeleteAll);
    if (rc != 0) {
        CStoreLog::StatementFailed(m_pDbSQLite, kSaveTag, kDeleteError, rc);
        return 0;
    }
    for (int id : m_lstQGroupId) {
        CString sql;
        sql.Format(kInsertRow, id);
        rc = m_pDbSQLite->ExecInTransaction(sql);
        if (rc != 0) {
            CStoreLog::StatementFailed(m_pDbSQLite, kSaveTag, kInsertError, rc);
            return 0;
        }
    }
    rc = transaction.Commit();
    if (rc != 0) {
        CStoreLog::StatementFailed(m_pDbSQLite, kSaveTag, kCommitError, rc);
        return 0;
    }
    CKivoLog::Print(kSaveTag, L"End");
    return 1;
}

int CUserQGroupListDBStore::GetUserQGroupList(std::list<int>& lstIds) const
{
    lstIds.insert(lstIds.end(), m_lstQGroupId.begin(), m_lstQGroupId.end());
    return 1;
}

int CUserQGroupListDBStore::SetUserQGroupList(const std::list<int>& lstIds)
{
    m_lstQGroupId = lstIds;
    return 1;
}
