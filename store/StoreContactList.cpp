// CStore: the contact-list slots. bStranger picks the stranger list's store.
#include "ContactListDBStore.h"
#include "Store.h"

CContactListDBStore& CStore::ContactList(bool bStranger)
{
    return bStranger ? *m_pStrangerContactListDBStore : *m_pContactListDBStore;
}

void CStore::GetContactList(std::map<ULONG, STContactInfo>& mapContact, bool bStranger)
{
    ContactList(bStranger).GetContactList(mapContact);
}

void CStore::SaveContactList(const std::map<ULONG, STContactInfo>& mapContact, bool bStranger)
{
    ContactList(bStranger).SaveContactList(mapContact);
}

void CStore::ClearContactList(bool bStranger)
{
    ContactList(bStranger).ClearContactList();
}

void CStore::AddContact(const STContactInfo& contact, bool bStranger)
{
    EnsureOpen();
    ContactList(bStranger).AddContact(contact);
}

int CStore::DelContact(ULONG uid, bool bStranger)
{
    EnsureOpen();
    return ContactList(bStranger).DelContact(uid);
}

void CStore::ModifyContact(ULONG uid, const STContactInfo& contact, bool bStranger)
{
    EnsureOpen();
    ContactList(bStranger).ModifyContact(uid, contact);
}

void CStore::GetContact(ULONG uid, STContactInfo& contact, bool bStranger)
{
    ContactList(bStranger).GetContact(uid, contact);
}

int CStore::GetContactCount(bool bStranger)
{
    return ContactList(bStranger).GetContactCount();
}

int CStore::IsContactExist(ULONG uid, bool bStranger)
{
    return ContactList(bStranger).IsContactExist(uid);
}

// Always the contact list, never the stranger list.
int CStore::IsContactListStored()
{
    EnsureOpen();
    return m_pContactListDBStore->IsContactListStored();
}
