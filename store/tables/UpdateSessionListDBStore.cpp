#include "UpdateSessionListDBStore.h"

#include "KivoLog.h"
#include "LastGiven.h"
#include "TableLoad.h"
#include "TableRewrite.h"
#include "WideConv.h"

namespace {

const wchar_t kLoadTag[] = L"CUpdateSessionListDBStore::LoadFromDisk";
const wchar_t kSaveTag[] = L"CUpdateSessionListDBStore::SaveToDisk";
const wchar_t kReplaceTag[] = L"CUpdateSessionListDBStore::save";
const wchar_t kReplaceLine[] = L"CUpdateSessionListDBStore::save old[%d] ,new[%d]";
const wchar_t kLoadSizeLine[] = L"CUpdateSessionListDBStore::LoadFromDisk size[%d]";
const wchar_t kSaveSizeLine[] = L"CUpdateSessionListDBStore::SaveToDisk size[%d],bInTransaction[%d]";
const wchar_t kSelectAll[] = L"select * from UpdateSessionlistId";
const wchar_t kSelectError[] = L"select * Gid  error";
const wchar_t kDeleteAll[] = L"delete from UpdateSessionlistId ";
const wchar_t kDeleteError[] = L"delete from UserQGroupId error";
const wchar_t kInsertRow[] = L"insert into UpdateSessionlistId (SessionId,DisplayId) values (%d,%d)";
const wchar_t kInsertError[] = L"insert into UserQGroupId error";
const wchar_t kNullElements[] = L"null elements ignored: ";
const wchar_t kRepeatedPair[] = L"CUpdateSessionListDBStore::save, repeated pair dropped: SessionId %d, DisplayId %d";

}  // namespace

int CUpdateSessionListDBStore::LoadFromDisk()
{
    m_lstSessionDisplayId.clear();
    CDbSQLite::ResultTable table;
    if (!SelectAll(m_pDbSQLite, {kLoadTag, kSelectAll, kSelectError}, table)) return 0;
    for (size_t row = 0; row < table.GetRowCount(); ++row) {
        auto pair = std::make_unique<STSessionDisplayId>();
        pair->SessionId = _wtol(table.GetValue(row, 0));
        pair->DisplayId = _wtol(table.GetValue(row, 1));
        m_lstSessionDisplayId.push_back(std::move(pair));
    }
    CKivoLog::PrintV(kLoadSizeLine, static_cast<int>(table.GetRowCount()));
    return 1;
}

int CUpdateSessionListDBStore::SaveToDisk(int bInTransaction)
{
    CKivoLog::Print(kSaveTag, L"Begin");
    std::vector<CString> inserts;
    for (const auto& pair : m_lstSessionDisplayId) {
        inserts.emplace_back();
        inserts.back().Format(kInsertRow, pair->SessionId, pair->DisplayId);
    }
    const RewriteTexts texts = {kSaveTag, kDeleteAll, kDeleteError, kInsertError};
    RewriteSteps steps;
    steps.afterDelete = [&] {
        CKivoLog::PrintV(kSaveSizeLine, static_cast<int>(m_lstSessionDisplayId.size()), bInTransaction);
    };
    if (!RewriteTable(m_pDbSQLite, bInTransaction, texts, inserts, steps)) return 0;
    CKivoLog::Print(kSaveTag, L"End");
    return 1;
}

int CUpdateSessionListDBStore::GetUpdateSessionList(std::list<STSessionDisplayId*>& lst) const
{
    for (const auto& pair : m_lstSessionDisplayId) lst.push_back(pair.get());
    return 1;
}

int CUpdateSessionListDBStore::save(std::list<STSessionDisplayId*> lst)
{
    CKivoLog::PrintV(kReplaceLine, static_cast<int>(m_lstSessionDisplayId.size()), static_cast<int>(lst.size()));
    // Copy before the held records go: lst may point into them.
    std::list<std::unique_ptr<STSessionDisplayId>> copies;
    ULONG nulls = 0;
    for (const STSessionDisplayId* pair : lst) {
        if (pair) {
            copies.push_back(std::make_unique<STSessionDisplayId>(*pair));
        } else {
            ++nulls;
        }
    }
    if (nulls) CKivoLog::Print(kReplaceTag, kNullElements, nulls);
    // The pair is the table's key: held twice, it would fail every save.
    using Held = std::unique_ptr<STSessionDisplayId>;
    KeepLastOfEachKey(
        copies, [](const Held& pair) { return std::make_pair(pair->SessionId, pair->DisplayId); },
        [](const Held& pair) { CKivoLog::PrintV(kRepeatedPair, pair->SessionId, pair->DisplayId); });
    m_lstSessionDisplayId.swap(copies);
    return 1;
}
