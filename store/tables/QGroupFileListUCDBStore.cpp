#include "QGroupFileListUCDBStore.h"

#include "KivoLog.h"
#include "OwnTransaction.h"
#include "StoreLog.h"
#include "TableLoad.h"
#include "WideConv.h"

namespace {

const wchar_t kLoadTag[] = L"CQGroupFileListUCDBStore::LoadFromDisk";
const wchar_t kSaveTag[] = L"CQGroupFileListUCDBStore::SaveToDisk";
const wchar_t kGetTag[] = L"CQGroupFileListUCDBStore::GetQGroupFileListUC";
const wchar_t kSelectAll[] = L"select * from QGroupFileListUC_PWD";
const wchar_t kSelectError[] = L"select * error";
const wchar_t kDeleteRow[] = L"delete from QGroupFileListUC_PWD where QGroupId=%d";
const wchar_t kDeleteError[] = L"delete from QGroupFileListUC_PWD error";
const wchar_t kInsertRow[] = L"insert into QGroupFileListUC_PWD(QGroupId,QGroupFileListUC) values(%d,%d)";
const wchar_t kInsertError[] = L"insert into QGroupFileListUC_PWD error";
const wchar_t kCommitError[] = L"COMMIT ERROR";

}  // namespace

int CQGroupFileListUCDBStore::LoadFromDisk()
{
    m_mapFileListUC.clear();
    CDbSQLite::ResultTable table;
    if (!SelectAll(m_pDbSQLite, kLoadTag, kSelectAll, kSelectError, table)) return 0;
    for (size_t row = 0; row < table.GetRowCount(); ++row) {
        // An id already present keeps its first value.
        m_mapFileListUC.emplace(static_cast<ULONG>(_wtol(table.GetValue(row, 0))), _wtol(table.GetValue(row, 1)));
    }
    return 1;
}

int CQGroupFileListUCDBStore::SaveToDisk(int bInTransaction)
{
    CKivoLog::Print(kSaveTag, L"Begin");
    COwnTransaction transaction(m_pDbSQLite, bInTransaction);
    transaction.Begin();
    for (const auto& [qGroupId, uc] : m_mapFileListUC) {
        CString sql;
        sql.Format(kDeleteRow, qGroupId);
        LONG rc = m_pDbSQLite->ExecInTransaction(sql);
        if (rc != 0) {
            CStoreLog::StatementFailed(m_pDbSQLite, kSaveTag, kDeleteError, rc);
            return 0;
        }
        sql.Format(kInsertRow, qGroupId, uc);
        rc = m_pDbSQLite->ExecInTransaction(sql);
        if (rc != 0) {
            CStoreLog::StatementFailed(m_pDbSQLite, kSaveTag, kInsertError, rc);
            return 0;
        }
    }
    LONG rc = transaction.Commit();
    if (rc != 0) {
        CStoreLog::StatementFailed(m_pDbSQLite, kSaveTag, kCommitError, rc);
        return 0;
    }
    CKivoLog::Print(kSaveTag, L"End");
    return 1;
}

void CQGroupFileListUCDBStore::GetQGroupFileListUC(unsigned int qGroupId, int* pUC) const
{
    if (!pUC) {
        CKivoLog::Print(kGetTag, L"null pointer ignored");
        return;
    }
    auto held = m_mapFileListUC.find(qGroupId);
    if (held != m_mapFileListUC.end()) *pUC = held->second;
}

void CQGroupFileListUCDBStore::SaveQGroupFileListUC(unsigned int qGroupId, int uc)
{
    m_mapFileListUC[qGroupId] = uc;
}
