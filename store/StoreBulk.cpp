// CStore: loading and saving table stores selected by the save mask.
#include "ContactListDBStore.h"
#include "KivoLog.h"
#include "RecentContactorDBStore.h"
#include "Store.h"

namespace {

bool SelectedByMask(const CStore::MaskRow& row, unsigned int mask) { return (row.bit & mask) != 0; }
bool SelectedForLoadAll(const CStore::MaskRow& row, unsigned int) { return row.allLoad; }

}  // namespace

int CStore::LoadRows(bool (*selected)(const MaskRow&, unsigned int), unsigned int mask)
{
    if (!EnsureOpen()) return 0;
    // A store whose load fails logs it itself; the others still load.
    for (const MaskRow& row : MaskTable()) {
        if (row.load && selected(row, mask)) row.load(*this);
    }
    return 1;
}

int CStore::LoadFromDisk(unsigned int mask)
{
    return LoadRows(SelectedByMask, mask);
}

int CStore::LoadFromDisk()
{
    return LoadRows(SelectedForLoadAll, 0);
}

// Rows the slots could not write at once go in before any save, each list in a
// transaction of its own, so that a list that cannot be written fails no other store.
bool CStore::WritePendingRows()
{
    const int written = m_pContactListDBStore->WritePendingRows() & m_pStrangerContactListDBStore->WritePendingRows() &
                        m_pRecentContactorDBStore->WritePendingRows();
    return written == 1;
}

// Rows owed to the previous file go there before a switch; what still cannot be written
// is dropped rather than written into the next account's file. Rows owed before any path
// was set wait for the first file.
void CStore::SettlePendingRows(const CString& strNextPath)
{
    if (m_strDBPath.IsEmpty() || !m_pDbSQLite) return;
    if (EnsureOpen() && WritePendingRows()) return;
    if (m_pDbSQLite->IsOpenFile(strNextPath)) return;  // the same file by another name
    m_pContactListDBStore->ForgetPending();
    m_pStrangerContactListDBStore->ForgetPending();
    m_pRecentContactorDBStore->DropPendingRows();
    CKivoLog::PrintV(L"CStore::SetDBPath, rows that could not be written to %s are dropped", m_strDBPath.GetString());
}

int CStore::SaveToDisk(unsigned int mask, int bInTransaction)
{
    CKivoLog::Print(L"CStore::SaveToDisk", L"Begin and type = ", mask);
    if (!m_pDbSQLite) {
        CKivoLog::Print(L"CStore::SaveToDisk m_pDbSQLite = NULL");
        return 0;
    }
    if (!EnsureOpen()) {
        CKivoLog::PrintV(L"CStore::SaveToDisk OpenDBFile failed, path = %s", m_strDBPath.GetString());
        return 0;
    }
    const bool pendingWritten = WritePendingRows();
    if (bInTransaction) m_pDbSQLite->BeginTransaction();

    bool anySaved = false;
    bool allSaved = true;
    std::vector<const MaskRow*> written;
    for (const MaskRow& row : MaskTable()) {
        if (!row.save || !SelectedByMask(row, mask)) continue;
        anySaved = true;
        if (row.save(*this, bInTransaction) == 1) {
            written.push_back(&row);
        } else {
            allSaved = false;
        }
    }

    int result = anySaved && allSaved ? 1 : 0;
    if (bInTransaction) {
        result = m_pDbSQLite->CommitTransaction() == 0 ? 1 : 0;
        // Pending changes are forgotten only once the transaction that wrote them is in.
        if (result) {
            for (const MaskRow* row : written) {
                if (row->forget) row->forget(*this);
            }
        }
    }
    ParkDBFile();
    CKivoLog::Print(L"CStore::SaveToDisk", L"End and type = ", mask);
    return pendingWritten ? result : 0;
}

int CStore::SaveToDisk()
{
    CKivoLog::Print(L"CStore::SaveToDisk", L"Begin");
    if (!EnsureOpen()) {
        CKivoLog::PrintV(L"CStore::SaveToDisk OpenDBFile failed, path = %s", m_strDBPath.GetString());
        return 0;
    }
    // Every store is still saved after one fails; the answer says whether all of them were.
    bool allSaved = WritePendingRows();
    for (const MaskRow& row : MaskTable()) {
        if (row.save && row.allSave && row.save(*this, 0) != 1) allSaved = false;
    }
    ParkDBFile();
    CKivoLog::Print(L"CStore::SaveToDisk", L"End");
    return allSaved ? 1 : 0;
}

int CStore::SetDataConsistentFlag(unsigned int mask, bool bConsistent)
{
    CKivoLog::PrintV(L"CStore::SetDataConsistentFlag, Begin , Mask = %u, bConsistent = %s", mask,
                     bConsistent ? L"true" : L"false");
    for (const MaskRow& row : MaskTable()) {
        if (row.setFlag && SelectedByMask(row, mask)) row.setFlag(*this, bConsistent);
    }
    CKivoLog::Print(L"CStore::SetDataConsistentFlag, End");
    return 1;
}
