// The save mask: one row per table store, in the order loads and saves visit them.
#include "DeptInfoDBStore.h"
#include "Store.h"

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

const std::vector<CStore::MaskRow>& CStore::MaskTable()
{
    static const std::vector<MaskRow> rows = {
        // 0x80000, 0x100000: corporation
        {0x80000, L"CorpInfo",
         [](CStore& s, int tx) { return s.m_pCorpDBStore->SaveToDisk(tx); },
         [](CStore& s) { return s.m_pCorpDBStore->LoadFromDisk(); },
         [](CStore& s, bool on) { s.m_pCorpDBStore->SetConsistent(on); }, nullptr, true, true},
        {0x100000, L"CorpUC",
         [](CStore& s, int tx) { return s.m_pCorpDBStore->SaveUCToDisk(tx); }, nullptr, nullptr, nullptr, false,
         false},

        {0x1, L"DeptInfo",
         [](CStore& s, int tx) { return s.m_pDeptInfoDBStore->SaveToDisk(tx); },
         [](CStore& s) { return s.m_pDeptInfoDBStore->LoadFromDisk(); },
         [](CStore& s, bool on) { s.m_pDeptInfoDBStore->SetConsistent(on); },
         [](CStore& s) { s.m_pDeptInfoDBStore->ForgetPending(); }, true, true},

        // 0x2, 0x4: department members, users
        {0x2, L"DeptUserInfo",
         [](CStore& s, int tx) { return s.m_pDeptUserDBStore->SaveToDisk(DeptUserSet::Base, tx); },
         [](CStore& s) { return s.m_pDeptUserDBStore->LoadFromDisk(DeptUserSet::Base); },
         [](CStore& s, bool on) { s.m_pDeptUserDBStore->SetConsistent(on); },
         [](CStore& s) { s.m_pDeptUserDBStore->ForgetPending(DeptUserSet::Base); }, true, true},
        {0x2, L"DeptUserInfoEx",
         [](CStore& s, int tx) { return s.m_pDeptUserDBStore->SaveToDisk(DeptUserSet::Ex, tx); },
         [](CStore& s) { return s.m_pDeptUserDBStore->LoadFromDisk(DeptUserSet::Ex); },
         [](CStore& s, bool on) { s.m_pDeptUserDBStore->SetConsistent(on); },
         [](CStore& s) { s.m_pDeptUserDBStore->ForgetPending(DeptUserSet::Ex); }, true, true},
        {0x4, L"UserBaseInfo",
         [](CStore& s, int tx) { return s.m_pUserBaseInfoDBStore->SaveToDisk(tx); },
         [](CStore& s) { return s.m_pUserBaseInfoDBStore->LoadFromDisk(); },
         [](CStore& s, bool on) { s.m_pUserBaseInfoDBStore->SetConsistent(on); },
         [](CStore& s) { s.m_pUserBaseInfoDBStore->ForgetPending(); }, true, true},
        {0x4, L"UserBaseInfoEx",
         [](CStore& s, int tx) { return s.m_pUserPositionExInfoDBStore->SaveToDisk(tx); },
         [](CStore& s) { return s.m_pUserPositionExInfoDBStore->LoadFromDisk(); },
         [](CStore& s, bool on) { s.m_pUserPositionExInfoDBStore->SetConsistent(on); },
         [](CStore& s) { s.m_pUserPositionExInfoDBStore->ForgetPending(); }, true, true},

        // 0x8, 0x10, 0x20: outer groups, inner groups, inner contact list
        {0x8, L"OuterGroupInfo",
         [](CStore& s, int tx) { return s.m_pGroupDBStore->SaveToDisk(tx); },
         [](CStore& s) { return s.m_pGroupDBStore->LoadFromDisk(); },
         [](CStore& s, bool on) { s.m_pGroupDBStore->SetConsistent(on); },
         nullptr, true, true},
        {0x10, L"InnerGroupInfo",
         [](CStore& s, int tx) { return s.m_pInnerGroupDBStore->SaveToDisk(tx); },
         [](CStore& s) { return s.m_pInnerGroupDBStore->LoadFromDisk(); },
         [](CStore& s, bool on) { s.m_pInnerGroupDBStore->SetConsistent(on); },
         nullptr, true, true},
        {0x20, L"InnerContactListInfo",
         [](CStore& s, int tx) { return s.m_pInnerContactListDBStore->SaveToDisk(tx); },
         [](CStore& s) { return s.m_pInnerContactListDBStore->LoadFromDisk(); },
         [](CStore& s, bool on) { s.m_pInnerContactListDBStore->SetConsistent(on); },
         nullptr, true, true},

        // 0x40: session list
        {0x40, L"SessionList",
         [](CStore& s, int tx) { return s.m_pSessionListDBStore->SaveToDisk(tx); },
         [](CStore& s) { return s.m_pSessionListDBStore->LoadFromDisk(); }, nullptr, nullptr, true, true},

        // 0x80: recent contacts
        {0x80, L"RecentContact",
         [](CStore& s, int tx) { return s.m_pRecentContactorDBStore->SaveToDisk(tx); },
         [](CStore& s) { return s.m_pRecentContactorDBStore->LoadFromDisk(); },
         nullptr,
         [](CStore& s) { s.m_pRecentContactorDBStore->ForgetPending(); }, true, true},

        // 0x100, 0x4000: group-chat shared files, file-list counters
        {0x100, L"QGroupShareFileInfoPwd",
         [](CStore& s, int tx) { return s.m_pQGroupShareFileDBStore->SaveToDisk(tx); },
         [](CStore& s) { return s.m_pQGroupShareFileDBStore->LoadFromDisk(); }, nullptr, nullptr, true, true},
        {0x4000, L"QGroupFileListUC_PWD",
         [](CStore& s, int tx) { return s.m_pQGroupFileListUCDBStore->SaveToDisk(tx); },
         [](CStore& s) { return s.m_pQGroupFileListUCDBStore->LoadFromDisk(); }, nullptr, nullptr, true, true},

        // 0x200, 0x400, 0x800, 0x1000, 0x2000, 0x8000: counters, external contact list
        {0x200, L"InnerGroupUC",
         [](CStore& s, int tx) { return s.m_pInnerGroupUCDBStore->SaveToDisk(tx); },
         [](CStore& s) { return s.m_pInnerGroupUCDBStore->LoadFromDisk(); },
         nullptr, nullptr, true, true},
        {0x400, L"InnerContactUC",
         [](CStore& s, int tx) { return s.m_pInnerContactUCDBStore->SaveToDisk(tx); },
         [](CStore& s) { return s.m_pInnerContactUCDBStore->LoadFromDisk(); },
         nullptr, nullptr, true, true},
        {0x800, L"ExternalGroupUC",
         [](CStore& s, int tx) { return s.m_pExternalGroupUCDBStore->SaveToDisk(tx); },
         [](CStore& s) { return s.m_pExternalGroupUCDBStore->LoadFromDisk(); },
         nullptr, nullptr, true, true},
        {0x1000, L"ExternalContactUC",
         [](CStore& s, int tx) { return s.m_pExternalContactUCDBStore->SaveToDisk(tx); },
         [](CStore& s) { return s.m_pExternalContactUCDBStore->LoadFromDisk(); },
         nullptr, nullptr, true, true},
        {0x2000, L"ExternalContactListInfo",
         [](CStore& s, int tx) { return s.m_pExternalContactListDBStore->SaveToDisk(tx); },
         [](CStore& s) { return s.m_pExternalContactListDBStore->LoadFromDisk(); },
         [](CStore& s, bool on) { s.m_pExternalContactListDBStore->SetConsistent(on); },
         nullptr, true, true},
        {0x8000, L"UserQGroupListUC",
         [](CStore& s, int tx) { return s.m_pUserQGroupListUCDBStore->SaveToDisk(tx); },
         [](CStore& s) { return s.m_pUserQGroupListUCDBStore->LoadFromDisk(); },
         nullptr, nullptr, true, true},

        // 0x10000: group-chat list
        {0x10000, L"UserQGroupId",
         [](CStore& s, int tx) { return s.m_pUserQGroupListDBStore->SaveToDisk(tx); },
         [](CStore& s) { return s.m_pUserQGroupListDBStore->LoadFromDisk(); }, nullptr, nullptr, true, true},

        // 0x20000: session-list counter
        {0x20000, L"UserSessionListUC",
         [](CStore& s, int tx) { return s.m_pGetSessionListUCDBStore->SaveToDisk(tx); },
         [](CStore& s) { return s.m_pGetSessionListUCDBStore->LoadFromDisk(); },
         nullptr, nullptr, true, true},

        // 0x40000, 0x200000: session display ids, fast login data
        {0x40000, L"UpdateSessionlistId",
         [](CStore& s, int tx) { return s.m_pUpdateSessionListDBStore->SaveToDisk(tx); },
         [](CStore& s) { return s.m_pUpdateSessionListDBStore->LoadFromDisk(); }, nullptr, nullptr, true, true},
        {0x200000, L"Fast_Login_Data",
         [](CStore& s, int tx) { return s.m_pFastLoginDataDBStore->SaveToDisk(tx); },
         [](CStore& s) { return s.m_pFastLoginDataDBStore->LoadFromDisk(); },
         [](CStore& s, bool on) { s.m_pFastLoginDataDBStore->SetConsistent(on); }, nullptr, true, true},

        // 0x400000, 0x1000000: contact lists
        {0x400000, L"ContactListInfo",
         [](CStore& s, int tx) { return s.m_pContactListDBStore->SaveToDisk(tx); },
         [](CStore& s) { return s.m_pContactListDBStore->LoadFromDisk(); },
         [](CStore& s, bool on) { s.m_pContactListDBStore->SetConsistent(on); },
         [](CStore& s) { s.m_pContactListDBStore->ForgetPending(); }, false, true},
        {0x1000000, L"StrangerContactListInfo",
         [](CStore& s, int tx) { return s.m_pStrangerContactListDBStore->SaveToDisk(tx); },
         [](CStore& s) { return s.m_pStrangerContactListDBStore->LoadFromDisk(); },
         [](CStore& s, bool on) { s.m_pStrangerContactListDBStore->SetConsistent(on); },
         [](CStore& s) { s.m_pStrangerContactListDBStore->ForgetPending(); }, false, true},

        // 0x800000: ContactUC counter
        {0x800000, L"ContactUC",
         [](CStore& s, int tx) { return s.m_pContactUCDBStore->SaveToDisk(tx); },
         [](CStore& s) { return s.m_pContactUCDBStore->LoadFromDisk(); },
         nullptr, nullptr, false, true},
    };
    return rows;
}
