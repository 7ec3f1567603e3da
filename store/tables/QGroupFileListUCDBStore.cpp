#include "QGroupFileListUCDBStore.h"

#include "KivoLog.h"
#include "TableLoad.h"
#include "TableRewrite.h"
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

KeyRows GroupRows(ULONG qGroupId, int uc)
{
    KeyRows rows;
    rows.deleteRows.Format(kDeleteRow, qGroupId);
    rows.inserts.emplace_back();
    rows.inserts.back().Format(kInsertRow, qGroupId, uc);
    return rows;
}

}  // namespace

int CQGroupFileListUCDBStore::LoadFromDisk()
{
    m_mapFileListUC.clear();
    CDbSQLite::ResultTable table;
    if (!SelectAll(m_pDbSQLite, {kLoadTag, kSelectAll, kSelectError}, table)) return 0;
    for (size_t row = 0; row < table.GetRowCount(); ++row) {
        // An id already present keeps its first value.
        m_mapFileListUC.emplace(static_cast<ULONG>(_wtol(table.GetValue(row, 0))), _wtol(table.GetValue(row, 1)));
    }
    return 1;
}

int CQGroupFileListUCDBStore::SaveToDisk(int bInTransaction)
{
    CKivoLog::Print(kSaveTag, L"Begin");
    std::vector<KeyRows> keys;
    keys.reserve(m_mapFileListUC.size());
    for (const auto& [qGroupId, uc] : m_mapFileListUC) keys.push_back(GroupRows(qGroupId, uc));
    if (!RewriteKeys(m_pDbSQLite, bInTransaction, {kSaveTag, kDeleteError, kInsertError}, keys)) return 0;
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
