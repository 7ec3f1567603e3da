#include "QGroupShareFileDBStore.h"

#include "KivoLog.h"
#include "MiscFuncs.h"
#include "TableLoad.h"
#include "TableRewrite.h"
#include "WideConv.h"

namespace {

const wchar_t kLoadTag[] = L"CQGroupShareFileDBStore::LoadFromDisk";
const wchar_t kSaveTag[] = L"CQGroupShareFileDBStore::SaveToDisk";
const wchar_t kSetTag[] = L"CQGroupShareFileDBStore::SetQGroupShareFiles";
const wchar_t kSelectAll[] = L"select * from QGroupShareFileInfoPwd order by FileAddTime desc";
const wchar_t kSelectError[] = L"select * error";
const wchar_t kDeleteGroup[] = L"delete from QGroupShareFileInfoPwd where QGroupId=%d";
const wchar_t kDeleteError[] = L"delete from QGroupShareFileInfoPwd error";
const wchar_t kInsertRow[] =
    L"insert into QGroupShareFileInfoPwd(QGroupId,Cid,Uid,FileName,FileSize,FileAddTime,FileStoreFlag,FileMD5Id,"
    L"ClientFileId,FileInvalidDate,UploadFileStatusFlag,HasPasswordFlag) values(%d,%d,%d,'%s',%d,%d,%d,'%s',%d,%d,%d,%d)";
const wchar_t kInsertError[] = L"insert into QGroupShareFileInfoPwd error";
const wchar_t kNullElements[] = L"null elements ignored: ";
const wchar_t kRowHeldTwice[] =
    L"CQGroupShareFileDBStore::SetQGroupShareFiles, file %u of group %u given again, the one held under group %u dropped";

std::unique_ptr<STQGroupShareFile> FromRow(const CDbSQLite::ResultTable& table, size_t row)
{
    auto file = std::make_unique<STQGroupShareFile>();
    file->QGroupId = static_cast<ULONG>(_wtol(table.GetValue(row, 0)));
    file->Cid = static_cast<ULONG>(_wtol(table.GetValue(row, 1)));
    file->Uid = static_cast<ULONG>(_wtol(table.GetValue(row, 2)));
    file->FileName = table.GetValue(row, 3).Str();
    file->FileSize = static_cast<ULONG>(_wtol(table.GetValue(row, 4)));
    file->FileAddTime = static_cast<ULONG>(_wtol(table.GetValue(row, 5)));
    file->FileStoreFlag = static_cast<ULONG>(_wtol(table.GetValue(row, 6)));
    file->FileMD5Id = table.GetValue(row, 7).Str();
    file->ClientFileId = static_cast<ULONG>(_wtol(table.GetValue(row, 8)));
    file->FileInvalidDate = static_cast<ULONG>(_wtol(table.GetValue(row, 9)));
    file->UploadFileStatusFlag = static_cast<ULONG>(_wtol(table.GetValue(row, 10)));
    file->HasPasswordFlag = static_cast<ULONG>(_wtol(table.GetValue(row, 11)));
    return file;
}

// The record's own QGroupId is written, not the id of the group it is held under.
CString InsertStatement(const STQGroupShareFile& file)
{
    CString sql;
    sql.Format(kInsertRow, file.QGroupId, file.Cid, file.Uid, CMiscFuncs::Convert2SqlParam(file.FileName).GetString(),
               file.FileSize, file.FileAddTime, file.FileStoreFlag,
               CMiscFuncs::Convert2SqlParam(file.FileMD5Id).GetString(), file.ClientFileId,
               file.FileInvalidDate, file.UploadFileStatusFlag, file.HasPasswordFlag);
    return sql;
}

}  // namespace

int CQGroupShareFileDBStore::LoadFromDisk()
{
    m_mapGroupFiles.clear();
    CDbSQLite::ResultTable table;
    if (!SelectAll(m_pDbSQLite, {kLoadTag, kSelectAll, kSelectError}, table)) return 0;
    for (size_t row = 0; row < table.GetRowCount(); ++row) {
        std::unique_ptr<STQGroupShareFile> file = FromRow(table, row);
        FileMap& files = m_mapGroupFiles[file->QGroupId];
        files[file->ClientFileId] = std::move(file);  // a later row of the same id wins
    }
    return 1;
}

int CQGroupShareFileDBStore::SaveToDisk(int bInTransaction)
{
    CKivoLog::Print(kSaveTag, L"Begin");
    // Every held group's rows go before any row is written: a record keeps its own QGroupId,
    // so the delete of a later group would take a row written for an earlier one.
    std::vector<KeyRows> keys(m_mapGroupFiles.size());
    auto key = keys.begin();
    for (const auto& group : m_mapGroupFiles) (key++)->deleteRows.Format(kDeleteGroup, group.first);
    for (const auto& group : m_mapGroupFiles) {
        for (const auto& entry : group.second) keys.back().inserts.push_back(InsertStatement(*entry.second));
    }
    if (!RewriteKeys(m_pDbSQLite, bInTransaction, {kSaveTag, kDeleteError, kInsertError}, keys)) return 0;
    CKivoLog::Print(kSaveTag, L"End");
    return 1;
}

// A record names its row by its own QGroupId and ClientFileId; of two held records that
// name one row only the one given last may stay: both would fail every save.
void CQGroupShareFileDBStore::DropOtherHolders(ULONG qGroupId, const FileMap& given)
{
    for (auto& [heldGroup, files] : m_mapGroupFiles) {
        if (heldGroup == qGroupId) continue;
        for (const auto& [clientFileId, file] : given) {
            auto held = files.find(clientFileId);
            if (held == files.end() || held->second->QGroupId != file->QGroupId) continue;
            CKivoLog::PrintV(kRowHeldTwice, clientFileId, file->QGroupId, heldGroup);
            files.erase(held);
        }
    }
}

void CQGroupShareFileDBStore::GetQGroupShareFiles(unsigned int qGroupId, std::list<STQGroupShareFile*>& lstFiles) const
{
    auto group = m_mapGroupFiles.find(qGroupId);
    if (group == m_mapGroupFiles.end()) return;
    for (const auto& entry : group->second) lstFiles.push_back(entry.second.get());
}

void CQGroupShareFileDBStore::SetQGroupShareFiles(unsigned int qGroupId, const std::list<STQGroupShareFile*>& lstFiles)
{
    // Copy before the held records go: lstFiles may point into them.
    FileMap copies;
    ULONG nulls = 0;
    for (const STQGroupShareFile* file : lstFiles) {
        if (!file) {
            ++nulls;
            continue;
        }
        // The first record of a repeated id wins; a later one is not copied at all.
        if (copies.count(file->ClientFileId) == 0) {
            copies.emplace(file->ClientFileId, std::make_unique<STQGroupShareFile>(*file));
        }
    }
    if (nulls) CKivoLog::Print(kSetTag, kNullElements, nulls);
    DropOtherHolders(qGroupId, copies);
    m_mapGroupFiles[qGroupId] = std::move(copies);
}
