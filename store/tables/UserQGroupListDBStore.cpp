#include "UserQGroupListDBStore.h"

#include "KivoLog.h"
#include "LastGiven.h"
#include "TableLoad.h"
#include "TableRewrite.h"
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
const wchar_t kRepeatedId[] = L"CUserQGroupListDBStore::SetUserQGroupList, repeated id dropped: %d";

}  // namespace

int CUserQGroupListDBStore::LoadFromDisk()
{
    m_lstQGroupId.clear();
    CDbSQLite::ResultTable table;
    if (!SelectAll(m_pDbSQLite, {kLoadTag, kSelectAll, kSelectError}, table)) return 0;
    for (size_t row = 0; row < table.GetRowCount(); ++row) m_lstQGroupId.push_back(_wtol(table.GetValue(row, 0)));
    return 1;
}

int CUserQGroupListDBStore::SaveToDisk(int bInTransaction)
{
    CKivoLog::Print(kSaveTag, L"Begin");
    std::vector<CString> inserts;
    for (int id : m_lstQGroupId) {
        inserts.emplace_back();
        inserts.back().Format(kInsertRow, id);
    }
    const RewriteTexts texts = {kSaveTag, kDeleteAll, kDeleteError, kInsertError};
    if (!RewriteTable(m_pDbSQLite, bInTransaction, texts, inserts)) return 0;
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
    // The id is the table's key: held twice, it would fail every save.
    KeepLastOfEachKey(m_lstQGroupId, [](int id) { return id; }, [](int id) { CKivoLog::PrintV(kRepeatedId, id); });
    return 1;
}
