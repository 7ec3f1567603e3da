// CStore: contact groups, inner and external contact lists, update counters and recent
// contacts, each forwarded to its table store.
#include "ContactGroupDBStore.h"
#include "ContactorListDBStore.h"
#include "KivoLog.h"
#include "RecentContactorDBStore.h"
#include "Store.h"
#include "UpdateCounterDBStore.h"

int CStore::SetGroups(const std::list<boost::shared_ptr<STGroup>>& lstGroup)
{
    return m_pGroupDBStore->SetGroups(lstGroup);
}

int CStore::GetGroups(std::list<boost::shared_ptr<STGroup>>& lstGroup)
{
    return m_pGroupDBStore->GetGroups(lstGroup);
}

int CStore::UpdateGroup(boost::shared_ptr<STGroup> pGroup)
{
    return m_pGroupDBStore->UpdateGroup(pGroup);
}

int CStore::RemoveGroup(unsigned int gid)
{
    return m_pGroupDBStore->RemoveGroup(gid);
}

int CStore::GetGroup(unsigned int gid, boost::shared_ptr<STGroup>& pGroup)
{
    return m_pGroupDBStore->GetGroup(gid, pGroup);
}

int CStore::GetInnerGroups(std::list<boost::shared_ptr<STGroup>>& lstGroup)
{
    return m_pInnerGroupDBStore->GetGroups(lstGroup);
}

int CStore::SetInnerGroups(const std::list<boost::shared_ptr<STGroup>>& lstGroup)
{
    return m_pInnerGroupDBStore->SetGroups(lstGroup);
}

int CStore::UpdateInnerGroup(boost::shared_ptr<STGroup> pGroup)
{
    return m_pInnerGroupDBStore->UpdateGroup(pGroup);
}

int CStore::RemoveInnerGroup(unsigned int gid)
{
    return m_pInnerGroupDBStore->RemoveGroup(gid);
}

int CStore::GetInnerGroup(unsigned int gid, boost::shared_ptr<STGroup>& pGroup)
{
    return m_pInnerGroupDBStore->GetGroup(gid, pGroup);
}

int CStore::GetInnerContacts(std::list<boost::shared_ptr<STContactor>>& lstContact)
{
    return m_pInnerContactListDBStore->GetContacts(lstContact);
}

int CStore::SetInnerContacts(const std::list<boost::shared_ptr<STContactor>>& lstContact)
{
    return m_pInnerContactListDBStore->SetContacts(lstContact);
}

int CStore::UpdateInnerContact(boost::shared_ptr<STContactor> pContact)
{
    return m_pInnerContactListDBStore->UpdateContact(pContact);
}

int CStore::RemoveInnerContact(unsigned int uid)
{
    return m_pInnerContactListDBStore->RemoveContact(uid);
}

int CStore::GetInnerContact(unsigned int uid, boost::shared_ptr<STContactor>& pContact)
{
    return m_pInnerContactListDBStore->GetContact(uid, pContact);
}

void CStore::GetRecentContactors(std::list<STRecentContactor>& lstRecent)
{
    m_pRecentContactorDBStore->GetRecentContactors(lstRecent);
}

void CStore::UpdateRecentContactor(int recentId, int type, int time)
{
    EnsureOpen();
    m_pRecentContactorDBStore->UpdateRecentContactor(recentId, type, time);
}

void CStore::DeleteRecentContactor(int recentId, int type)
{
    EnsureOpen();
    m_pRecentContactorDBStore->DeleteRecentContactor(recentId, type);
}

void CStore::ClearRecentContactor()
{
    CKivoLog::Print(L"CRecentContactorDBStore::ClearRecentContactor begin");
    m_pRecentContactorDBStore->ClearRecentContactor();
    CKivoLog::Print(L"CRecentContactorDBStore::ClearRecentContactor end");
}

int CStore::GetInnerGroupsUC(LONG* pUC)
{
    return m_pInnerGroupUCDBStore->GetUC(pUC);
}

int CStore::SaveInnerGroupsUC(LONG uc)
{
    return m_pInnerGroupUCDBStore->SetUC(uc);
}

int CStore::GetInnerContactUC(LONG* pUC)
{
    return m_pInnerContactUCDBStore->GetUC(pUC);
}

int CStore::SaveInnerContactUC(LONG uc)
{
    return m_pInnerContactUCDBStore->SetUC(uc);
}

int CStore::GetExternalGroupUC(LONG* pUC)
{
    return m_pExternalGroupUCDBStore->GetUC(pUC);
}

int CStore::SaveExternalGroupUC(LONG uc)
{
    return m_pExternalGroupUCDBStore->SetUC(uc);
}

int CStore::GetExternalContactUC(LONG* pUC)
{
    return m_pExternalContactUCDBStore->GetUC(pUC);
}

int CStore::SaveExternalContactUC(LONG uc)
{
    return m_pExternalContactUCDBStore->SetUC(uc);
}

int CStore::GetExternalContacts(std::list<boost::shared_ptr<STContactor>>& lstContact)
{
    return m_pExternalContactListDBStore->GetContacts(lstContact);
}

int CStore::SetExternalContacts(const std::list<boost::shared_ptr<STContactor>>& lstContact)
{
    return m_pExternalContactListDBStore->SetContacts(lstContact);
}

int CStore::UpdateExternalContact(boost::shared_ptr<STContactor> pContact)
{
    return m_pExternalContactListDBStore->UpdateContact(pContact);
}

int CStore::RemoveExternalContact(unsigned int uid)
{
    return m_pExternalContactListDBStore->RemoveContact(uid);
}

int CStore::GetExternalContact(unsigned int uid, boost::shared_ptr<STContactor>& pContact)
{
    return m_pExternalContactListDBStore->GetContact(uid, pContact);
}

int CStore::GetUserQGroupListUC(LONG* pUC)
{
    return m_pUserQGroupListUCDBStore->GetUC(pUC);
}

int CStore::SaveUserQGroupListUC(LONG uc)
{
    return m_pUserQGroupListUCDBStore->SetUC(uc);
}

int CStore::GetSessionListUC(LONG* pUC)
{
    return m_pGetSessionListUCDBStore->GetUC(pUC);
}

int CStore::SaveSessionListUC(LONG uc)
{
    return m_pGetSessionListUCDBStore->SetUC(uc);
}

int CStore::GetContactUC(LONG* pUC)
{
    return m_pContactUCDBStore->GetUC(pUC);
}

int CStore::SaveContactUC(LONG uc)
{
    return m_pContactUCDBStore->SetUC(uc);
}
