#include "Store.h"

#include "DeptInfoDBStore.h"
#include "KivoLog.h"

// Directory stores.

// Contact-list stores.
#include "ContactListDBStore.h"

// Group, counter and recent-contact stores.

// Session stores.

CStore::CStore()
{
    CreateMembers();
}

CStore::~CStore()
{
    DestroyMembers();
}

void CStore::CreateMembers()
{
    m_pDbSQLite = std::make_unique<CDbSQLite>();
    CDbSQLite* db = m_pDbSQLite.get();
    // corporation

    m_pDeptInfoDBStore = std::make_unique<CDeptInfoDBStore>(db);

    // department membership, user base info, user position

    // outer group, inner group, inner contact list

    // session list

    // recent contacts

    // group-chat shared files

    // InnerGroupUC, InnerContactUC counters

    // group-chat file-list counters

    // ExternalGroupUC, ExternalContactUC counters, external contact list, UserQGroupListUC counter

    // user group-chat list

    // UserSessionListUC counter

    // session display ids, fast login data

    // contact list, stranger contact list
    m_pContactListDBStore = std::make_unique<CContactListDBStore>(db);
    m_pStrangerContactListDBStore = std::make_unique<CContactListDBStore>(db);
    m_pStrangerContactListDBStore->SetTableName(L"StrangerContactListInfo");

    // ContactUC counter
}

// Nothing is saved here: unsaved changes are lost, as the client expects of a reset.
void CStore::DestroyMembers()
{
    m_pDbSQLite.reset();
    // corporation

    m_pDeptInfoDBStore.reset();

    // department membership, user base info, user position

    // outer group, inner group, inner contact list

    // session list

    // recent contacts

    // group-chat shared files

    // InnerGroupUC, InnerContactUC counters

    // group-chat file-list counters

    // ExternalGroupUC, ExternalContactUC counters, external contact list, UserQGroupListUC counter

    // user group-chat list

    // UserSessionListUC counter

    // session display ids, fast login data

    // contact list, stranger contact list
    m_pContactListDBStore.reset();
    m_pStrangerContactListDBStore.reset();

    // ContactUC counter
}

int CStore::Reset()
{
    DestroyMembers();
    CreateMembers();
    return 1;
}

int CStore::SaveDeptInfo(const STDeptInfo& info)
{
    return m_pDeptInfoDBStore->SaveDeptInfo(info);
}

int CStore::LoadDeptInfo(ULONG /*ulUnused*/, std::list<boost::shared_ptr<STDeptInfo>>& lstDept)
{
    return m_pDeptInfoDBStore->LoadDeptInfo(lstDept);
}

int CStore::DeptInfoNoOp(ULONG, ULONG, ULONG)
{
    return 1;
}

int CStore::RemoveDeptInfo(ULONG /*ulUnused*/, ULONG ulDeptId)
{
    return m_pDeptInfoDBStore->RemoveDeptInfo(ulDeptId);
}
