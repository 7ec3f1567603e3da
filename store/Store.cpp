#include "Store.h"

#include "DeptInfoDBStore.h"
#include "KivoLog.h"

// Directory stores.
#include "CorpDBStore.h"
#include "DeptUserDBStore.h"
#include "UserBaseInfoDBStore.h"
#include "UserPositionExInfoDBStore.h"

// Contact-list stores.
#include "ContactListDBStore.h"

// Group, counter and recent-contact stores.
#include "ContactGroupDBStore.h"
#include "ContactorListDBStore.h"
#include "RecentContactorDBStore.h"
#include "UpdateCounterDBStore.h"

// Session stores.
#include "FastLoginDataDBStore.h"
#include "QGroupFileListUCDBStore.h"
#include "QGroupShareFileDBStore.h"
#include "SessionListDBStore.h"
#include "UpdateSessionListDBStore.h"
#include "UserQGroupListDBStore.h"

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
    m_pCorpDBStore = std::make_unique<CCorpDBStore>(db);

    m_pDeptInfoDBStore = std::make_unique<CDeptInfoDBStore>(db);

    // department membership, user base info, user position
    m_pDeptUserDBStore = std::make_unique<CDeptUserDBStore>(db);
    m_pUserBaseInfoDBStore = std::make_unique<CUserBaseInfoDBStore>(db);
    m_pUserPositionExInfoDBStore = std::make_unique<CUserPositionExInfoDBStore>(db);

    // outer group, inner group, inner contact list
    m_pGroupDBStore = std::make_unique<CGroupDBStore>(db);
    m_pInnerGroupDBStore = std::make_unique<CInnerGroupDBStore>(db);
    m_pInnerContactListDBStore = std::make_unique<CInnerContactListDBStore>(db);

    // session list
    m_pSessionListDBStore = std::make_unique<CSessionListDBStore>(db);

    // recent contacts
    m_pRecentContactorDBStore = std::make_unique<CRecentContactorDBStore>(db);

    // group-chat shared files
    m_pQGroupShareFileDBStore = std::make_unique<CQGroupShareFileDBStore>(db);

    // InnerGroupUC, InnerContactUC counters
    m_pInnerGroupUCDBStore = std::make_unique<CInnerGroupUCDBStore>(db);
    m_pInnerContactUCDBStore = std::make_unique<CInnerContactUCDBStore>(db);

    // group-chat file-list counters
    m_pQGroupFileListUCDBStore = std::make_unique<CQGroupFileListUCDBStore>(db);

    // ExternalGroupUC, ExternalContactUC counters, external contact list, UserQGroupListUC counter
    m_pExternalGroupUCDBStore = std::make_unique<CExternalGroupUCDBStore>(db);
    m_pExternalContactUCDBStore = std::make_unique<CExternalContactUCDBStore>(db);
    m_pExternalContactListDBStore = std::make_unique<CExternalContactListDBStore>(db);
    m_pUserQGroupListUCDBStore = std::make_unique<CUserQGroupListUCDBStore>(db);

    // user group-chat list
    m_pUserQGroupListDBStore = std::make_unique<CUserQGroupListDBStore>(db);

    // UserSessionListUC counter
    m_pGetSessionListUCDBStore = std::make_unique<CGetSessionListUCDBStore>(db);

    // session display ids, fast login data
    m_pUpdateSessionListDBStore = std::make_unique<CUpdateSessionListDBStore>(db);
    m_pFastLoginDataDBStore = std::make_unique<CFastLoginDataDBStore>(db);

    // contact list, stranger contact list
    m_pContactListDBStore = std::make_unique<CContactListDBStore>(db);
    m_pStrangerContactListDBStore = std::make_unique<CContactListDBStore>(db);
    m_pStrangerContactListDBStore->SetTableName(L"StrangerContactListInfo");

    // ContactUC counter
    m_pContactUCDBStore = std::make_unique<CContactUCDBStore>(db);
}

// Nothing is saved here: unsaved changes are lost, as the client expects of a reset.
void CStore::DestroyMembers()
{
    m_pDbSQLite.reset();
    // corporation
    m_pCorpDBStore.reset();

    m_pDeptInfoDBStore.reset();

    // department membership, user base info, user position
    m_pDeptUserDBStore.reset();
    m_pUserBaseInfoDBStore.reset();
    m_pUserPositionExInfoDBStore.reset();

    // outer group, inner group, inner contact list
    m_pGroupDBStore.reset();
    m_pInnerGroupDBStore.reset();
    m_pInnerContactListDBStore.reset();

    // session list
    m_pSessionListDBStore.reset();

    // recent contacts
    m_pRecentContactorDBStore.reset();

    // group-chat shared files
    m_pQGroupShareFileDBStore.reset();

    // InnerGroupUC, InnerContactUC counters
    m_pInnerGroupUCDBStore.reset();
    m_pInnerContactUCDBStore.reset();

    // group-chat file-list counters
    m_pQGroupFileListUCDBStore.reset();

    // ExternalGroupUC, ExternalContactUC counters, external contact list, UserQGroupListUC counter
    m_pExternalGroupUCDBStore.reset();
    m_pExternalContactUCDBStore.reset();
    m_pExternalContactListDBStore.reset();
    m_pUserQGroupListUCDBStore.reset();

    // user group-chat list
    m_pUserQGroupListDBStore.reset();

    // UserSessionListUC counter
    m_pGetSessionListUCDBStore.reset();

    // session display ids, fast login data
    m_pUpdateSessionListDBStore.reset();
    m_pFastLoginDataDBStore.reset();

    // contact list, stranger contact list
    m_pContactListDBStore.reset();
    m_pStrangerContactListDBStore.reset();

    // ContactUC counter
    m_pContactUCDBStore.reset();
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
