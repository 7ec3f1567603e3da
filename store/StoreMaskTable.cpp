// The save mask: one row per table store, in the order loads and saves visit them.
#include "DeptInfoDBStore.h"
#include "SaveMask.h"
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
        // corporation
        {KivoSaveMask::kCorpInfo, L"CorpInfo",
         [](CStore& s, int tx) { return s.m_pCorpDBStore->SaveToDisk(tx); },
         [](CStore& s) { return s.m_pCorpDBStore->LoadFromDisk(); },
         [](CStore& s, bool on) { s.m_pCorpDBStore->SetConsistent(on); }, nullptr, true, true},
        {KivoSaveMask::kCorpUC, L"CorpUC",
         [](CStore& s, int tx) { return s.m_pCorpDBStore->SaveUCToDisk(tx); }, nullptr, nullptr, nullptr, false,
         false},

        {KivoSaveMask::kDeptInfo, L"DeptInfo",
         [](CStore& s, int tx) { return s.m_pDeptInfoDBStore->SaveToDisk(tx); },
         [](CStore& s) { return s.m_pDeptInfoDBStore->LoadFromDisk(); },
         [](CStore& s, bool on) { s.m_pDeptInfoDBStore->SetConsistent(on); },
         [](CStore& s) { s.m_pDeptInfoDBStore->ForgetPending(); }, true, true},

        // department members, users
        {KivoSaveMask::kDeptUserInfo, L"DeptUserInfo",
         [](CStore& s, int tx) { return s.m_pDeptUserDBStore->SaveToDisk(DeptUserSet::Base, tx); },
         [](CStore& s) { return s.m_pDeptUserDBStore->LoadFromDisk(DeptUserSet::Base); },
         [](CStore& s, bool on) { s.m_pDeptUserDBStore->SetConsistent(on); },
         [](CStore& s) { s.m_pDeptUserDBStore->ForgetPending(DeptUserSet::Base); }, true, true},
        {KivoSaveMask::kDeptUserInfo, L"DeptUserInfoEx",
         [](CStore& s, int tx) { return s.m_pDeptUserDBStore->SaveToDisk(DeptUserSet::Ex, tx); },
         [](CStore& s) { return s.m_pDeptUserDBStore->LoadFromDisk(DeptUserSet::Ex); },
         [](CStore& s, bool on) { s.m_pDeptUserDBStore->SetConsistent(on); },
         [](CStore& s) { s.m_pDeptUserDBStore->ForgetPending(DeptUserSet::Ex); }, true, true},
        {KivoSaveMask::kUserBaseInfo, L"UserBaseInfo",
         [](CStore& s, int tx) { return s.m_pUserBaseInfoDBStore->SaveToDisk(tx); },
         [](CStore& s) { return s.m_pUserBaseInfoDBStore->LoadFromDisk(); },
         [](CStore& s, bool on) { s.m_pUserBaseInfoDBStore->SetConsistent(on); },
         [](CStore& s) { s.m_pUserBaseInfoDBStore->ForgetPending(); }, true, true},
        {KivoSaveMask::kUserBaseInfo, L"UserBaseInfoEx",
         [](CStore& s, int tx) { return s.m_pUserPositionExInfoDBStore->SaveToDisk(tx); },
         [](CStore& s) { return s.m_pUserPositionExInfoDBStore->LoadFromDisk(); },
         [](CStore& s, bool on) { s.m_pUserPositionExInfoDBStore->SetConsistent(on); },
         [](CStore& s) { s.m_pUserPositionExInfoDBStore->ForgetPending(); }, true, true},

        // outer groups, inner groups, inner contact list
        {KivoSaveMask::kOuterGroupInfo, L"OuterGroupInfo",
         [](CStore& s, int tx) { return s.m_pGroupDBStore->SaveToDisk(tx); },
         [](CStore& s) { return s.m_pGroupDBStore->LoadFromDisk(); },
         [](CStore& s, bool on) { s.m_pGroupDBStore->SetConsistent(on); },
         nullptr, true, true},
        {KivoSaveMask::kInnerGroupInfo, L"InnerGroupInfo",
         [](CStore& s, int tx) { return s.m_pInnerGroupDBStore->SaveToDisk(tx); },
         [](CStore& s) { return s.m_pInnerGroupDBStore->LoadFromDisk(); },
         [](CStore& s, bool on) { s.m_pInnerGroupDBStore->SetConsistent(on); },
         nullptr, true, true},
        {KivoSaveMask::kInnerContactListInfo, L"InnerContactListInfo",
         [](CStore& s, int tx) { return s.m_pInnerContactListDBStore->SaveToDisk(tx); },
         [](CStore& s) { return s.m_pInnerContactListDBStore->LoadFromDisk(); },
         [](CStore& s, bool on) { s.m_pInnerContactListDBStore->SetConsistent(on); },
         nullptr, true, true},

        // session list
        {KivoSaveMask::kSessionList, L"SessionList",
         [](CStore& s, int tx) { return s.m_pSessionListDBStore->SaveToDisk(tx); },
         [](CStore& s) { return s.m_pSessionListDBStore->LoadFromDisk(); }, nullptr, nullptr, true, true},

        // recent contacts
        {KivoSaveMask::kRecentContact, L"RecentContact",
         [](CStore& s, int tx) { return s.m_pRecentContactorDBStore->SaveToDisk(tx); },
         [](CStore& s) { return s.m_pRecentContactorDBStore->LoadFromDisk(); },
         nullptr,
         [](CStore& s) { s.m_pRecentContactorDBStore->ForgetPending(); }, true, true},

        // group-chat shared files, file-list counters
        {KivoSaveMask::kQGroupShareFileInfoPwd, L"QGroupShareFileInfoPwd",
         [](CStore& s, int tx) { return s.m_pQGroupShareFileDBStore->SaveToDisk(tx); },
         [](CStore& s) { return s.m_pQGroupShareFileDBStore->LoadFromDisk(); }, nullptr, nullptr, true, true},
        {KivoSaveMask::kQGroupFileListUC, L"QGroupFileListUC_PWD",
         [](CStore& s, int tx) { return s.m_pQGroupFileListUCDBStore->SaveToDisk(tx); },
         [](CStore& s) { return s.m_pQGroupFileListUCDBStore->LoadFromDisk(); }, nullptr, nullptr, true, true},

        // counters, external contact list
        {KivoSaveMask::kInnerGroupUC, L"InnerGroupUC",
         [](CStore& s, int tx) { return s.m_pInnerGroupUCDBStore->SaveToDisk(tx); },
         [](CStore& s) { return s.m_pInnerGroupUCDBStore->LoadFromDisk(); },
         nullptr, nullptr, true, true},
        {KivoSaveMask::kInnerContactUC, L"InnerContactUC",
         [](CStore& s, int tx) { return s.m_pInnerContactUCDBStore->SaveToDisk(tx); },
         [](CStore& s) { return s.m_pInnerContactUCDBStore->LoadFromDisk(); },
         nullptr, nullptr, true, true},
        {KivoSaveMask::kExternalGroupUC, L"ExternalGroupUC",
         [](CStore& s, int tx) { return s.m_pExternalGroupUCDBStore->SaveToDisk(tx); },
         [](CStore& s) { return s.m_pExternalGroupUCDBStore->LoadFromDisk(); },
         nullptr, nullptr, true, true},
        {KivoSaveMask::kExternalContactUC, L"ExternalContactUC",
         [](CStore& s, int tx) { return s.m_pExternalContactUCDBStore->SaveToDisk(tx); },
         [](CStore& s) { return s.m_pExternalContactUCDBStore->LoadFromDisk(); },
         nullptr, nullptr, true, true},
        {KivoSaveMask::kExternalContactListInfo, L"ExternalContactListInfo",
         [](CStore& s, int tx) { return s.m_pExternalContactListDBStore->SaveToDisk(tx); },
         [](CStore& s) { return s.m_pExternalContactListDBStore->LoadFromDisk(); },
         [](CStore& s, bool on) { s.m_pExternalContactListDBStore->SetConsistent(on); },
         nullptr, true, true},
        {KivoSaveMask::kUserQGroupListUC, L"UserQGroupListUC",
         [](CStore& s, int tx) { return s.m_pUserQGroupListUCDBStore->SaveToDisk(tx); },
         [](CStore& s) { return s.m_pUserQGroupListUCDBStore->LoadFromDisk(); },
         nullptr, nullptr, true, true},

        // group-chat list
        {KivoSaveMask::kUserQGroupId, L"UserQGroupId",
         [](CStore& s, int tx) { return s.m_pUserQGroupListDBStore->SaveToDisk(tx); },
         [](CStore& s) { return s.m_pUserQGroupListDBStore->LoadFromDisk(); }, nullptr, nullptr, true, true},

        // session-list counter
        {KivoSaveMask::kUserSessionListUC, L"UserSessionListUC",
         [](CStore& s, int tx) { return s.m_pGetSessionListUCDBStore->SaveToDisk(tx); },
         [](CStore& s) { return s.m_pGetSessionListUCDBStore->LoadFromDisk(); },
         nullptr, nullptr, true, true},

        // session display ids, fast login data
        {KivoSaveMask::kUpdateSessionlistId, L"UpdateSessionlistId",
         [](CStore& s, int tx) { return s.m_pUpdateSessionListDBStore->SaveToDisk(tx); },
         [](CStore& s) { return s.m_pUpdateSessionListDBStore->LoadFromDisk(); }, nullptr, nullptr, true, true},
        {KivoSaveMask::kFastLoginData, L"Fast_Login_Data",
         [](CStore& s, int tx) { return s.m_pFastLoginDataDBStore->SaveToDisk(tx); },
         [](CStore& s) { return s.m_pFastLoginDataDBStore->LoadFromDisk(); },
         [](CStore& s, bool on) { s.m_pFastLoginDataDBStore->SetConsistent(on); }, nullptr, true, true},

        // contact lists
        {KivoSaveMask::kContactListInfo, L"ContactListInfo",
         [](CStore& s, int tx) { return s.m_pContactListDBStore->SaveToDisk(tx); },
         [](CStore& s) { return s.m_pContactListDBStore->LoadFromDisk(); },
         [](CStore& s, bool on) { s.m_pContactListDBStore->SetConsistent(on); },
         [](CStore& s) { s.m_pContactListDBStore->ForgetPending(); }, false, true},
        {KivoSaveMask::kStrangerContactListInfo, L"StrangerContactListInfo",
         [](CStore& s, int tx) { return s.m_pStrangerContactListDBStore->SaveToDisk(tx); },
         [](CStore& s) { return s.m_pStrangerContactListDBStore->LoadFromDisk(); },
         [](CStore& s, bool on) { s.m_pStrangerContactListDBStore->SetConsistent(on); },
         [](CStore& s) { s.m_pStrangerContactListDBStore->ForgetPending(); }, false, true},

        // ContactUC counter
        {KivoSaveMask::kContactUC, L"ContactUC",
         [](CStore& s, int tx) { return s.m_pContactUCDBStore->SaveToDisk(tx); },
         [](CStore& s) { return s.m_pContactUCDBStore->LoadFromDisk(); },
         nullptr, nullptr, false, true},
    };
    return rows;
}
