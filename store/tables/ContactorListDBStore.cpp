#include "ContactorListDBStore.h"

#include <vector>

#include "KivoLog.h"
#include "StoreLog.h"
#include "TableLoad.h"
#include "TableTexts.h"
#include "WideConv.h"

struct ContactorListTexts : TableTexts {
    bool skipsIncomplete;  // replacing the list drops records whose Uid or Cid is 0
};

namespace {

const ContactorListTexts kInnerTexts = {
    {L"CInnerContactListDBStore",
     {L"CInnerContactListDBStore::LoadFromDisk", L"select * from InnerContactListInfo", L"select * Gid  error"},
     L"insert into InnerContactListInfo (Gid,Cid,Uid,Flag) values (%d,%d,%d,%d)",
     {L"CInnerContactListDBStore::SaveToDisk", L"delete from InnerContactListInfo",
      L"delete from InnerContactListInfo error", L"insert into InnerContactListInfo  error"}},
    false};

const ContactorListTexts kExternalTexts = {
    {L"CExternalContactListDBStore",
     {L"CExternalContactListDBStore::LoadFromDisk", L"select * from ExternalContactListInfo", L"select * Gid  error"},
     L"insert into ExternalContactListInfo (Gid,Cid,Uid,Flag) values (%d,%d,%d,%d)",
     {L"CExternalContactListDBStore::SaveToDisk", L"delete from ExternalContactListInfo",
      L"delete from ExternalContactListInfo error", L"insert into ExternalContactListInfo  error"}},
    true};

void CopyFields(const STContactor& from, STContactor& to)
{
    to.Cid = from.Cid;
    to.Gid = from.Gid;
    to.Flag = from.Flag;
}

}  // namespace

CInnerContactListDBStore::CInnerContactListDBStore(CDbSQLite* db) : CContactorListDBStore(db, kInnerTexts) {}
CExternalContactListDBStore::CExternalContactListDBStore(CDbSQLite* db) : CContactorListDBStore(db, kExternalTexts) {}

int CContactorListDBStore::LoadFromDisk()
{
    m_mapContactor.clear();
    CDbSQLite::ResultTable table;
    if (!SelectAll(m_pDbSQLite, m_texts.load, table)) return 0;
    for (size_t row = 0; row < table.GetRowCount(); ++row) {
        const LONG uid = _wtol(table.GetValue(row, 2));
        boost::shared_ptr<STContactor>& held = m_mapContactor[static_cast<ULONG>(uid)];
        if (!held) held = STContactor::CreateObject();  // a later row of the same Uid overwrites in place
        held->Gid = _wtol(table.GetValue(row, 0));
        held->Cid = _wtol(table.GetValue(row, 1));
        held->Uid = uid;
        held->Flag = _wtol(table.GetValue(row, 3));
    }
    return 1;
}

int CContactorListDBStore::SaveToDisk(int bInTransaction)
{
    CKivoLog::Print(m_texts.rewrite.saveTag, L"Begin");
    if (!m_bConsistent) {
        CStoreLog::NotLoginOver(m_texts.className);
        return 0;
    }
    std::vector<CString> inserts;
    inserts.reserve(m_mapContactor.size());
    for (const auto& entry : m_mapContactor) {
        const STContactor& c = *entry.second;
        CString sql;
        sql.Format(m_texts.insert, c.Gid, c.Cid, c.Uid, c.Flag);
        inserts.push_back(sql);
    }
    if (!RewriteTable(m_pDbSQLite, bInTransaction, m_texts.rewrite, inserts)) return 0;
    CKivoLog::Print(m_texts.rewrite.saveTag, L"End");
    return 1;
}

int CContactorListDBStore::GetContacts(std::list<boost::shared_ptr<STContactor>>& lstContact) const
{
    for (const auto& entry : m_mapContactor) {
        boost::shared_ptr<STContactor> copy = STContactor::CreateObject();
        *copy = *entry.second;
        lstContact.push_back(copy);
    }
    return 1;
}

int CContactorListDBStore::SetContacts(const std::list<boost::shared_ptr<STContactor>>& lstContact)
{
    m_mapContactor.clear();
    for (const boost::shared_ptr<STContactor>& given : lstContact) {
        if (!given) {
            CKivoLog::PrintV(L"%s::SetContacts, null contact ignored", m_texts.className);
            continue;
        }
        if (m_texts.skipsIncomplete && (given->Uid == 0 || given->Cid == 0)) continue;
        auto inserted = m_mapContactor.emplace(static_cast<ULONG>(given->Uid), nullptr);
        if (!inserted.second) continue;  // the first record of a Uid wins
        boost::shared_ptr<STContactor> held = STContactor::CreateObject();
        held->Uid = given->Uid;
        CopyFields(*given, *held);
        inserted.first->second = held;
    }
    return 1;
}

int CContactorListDBStore::UpdateContact(const boost::shared_ptr<STContactor>& pContact)
{
    if (!pContact) {
        CKivoLog::PrintV(L"%s::UpdateContact, null contact ignored", m_texts.className);
        return 0;
    }
    boost::shared_ptr<STContactor>& held = m_mapContactor[static_cast<ULONG>(pContact->Uid)];
    if (!held) {
        held = STContactor::CreateObject();
        held->Uid = pContact->Uid;
    }
    CopyFields(*pContact, *held);
    return 1;
}

int CContactorListDBStore::RemoveContact(unsigned int uid)
{
    return m_mapContactor.erase(uid) != 0 ? 1 : 0;
}

int CContactorListDBStore::GetContact(unsigned int uid, boost::shared_ptr<STContactor>& pContact) const
{
    auto held = m_mapContactor.find(uid);
    if (held == m_mapContactor.end()) return 0;
    pContact = held->second;
    return 1;
}
