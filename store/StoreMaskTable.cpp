// The save mask: one row per table store, in the order loads and saves visit them.
#include "DeptInfoDBStore.h"
#include "Store.h"

// Directory stores.

// Contact-list stores.

// Group, counter and recent-contact stores.
#include "ContactGroupDBStore.h"
#include "ContactorListDBStore.h"
#include "RecentContactorDBStore.h"
#include "UpdateCounterDBStore.h"

// Session stores.

const std::vector<CStore::MaskRow>& CStore::MaskTable()
{
    static const std::vector<MaskRow> rows = {
        // 0x80000, 0x100000: corporation

        {0x1, L"DeptInfo",
         [](CStore& s, int tx) { return s.m_pDeptInfoDBStore->SaveToDisk(tx); },
         [](CStore& s) { return s.m_pDeptInfoDBStore->LoadFromDisk(); },
         [](CStore& s, bool on) { s.m_pDeptInfoDBStore->SetConsistent(on); },
         [](CStore& s) { s.m_pDeptInfoDBStore->ForgetPending(); }, true, true},

        // 0x2, 0x4: department members, users

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

        // 0x80: recent contacts
        {0x80, L"RecentContact",
         [](CStore& s, int tx) { return s.m_pRecentContactorDBStore->SaveToDisk(tx); },
         [](CStore& s) { return s.m_pRecentContactorDBStore->LoadFromDisk(); },
         nullptr,
         [](CStore& s) { s.m_pRecentContactorDBStore->ForgetPending(); }, true, true},

        // 0x100, 0x4000: group-chat shared files, file-list counters

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

        // 0x20000: session-list counter
        {0x20000, L"UserSessionListUC",
         [](CStore& s, int tx) { return s.m_pGetSessionListUCDBStore->SaveToDisk(tx); },
         [](CStore& s) { return s.m_pGetSessionListUCDBStore->LoadFromDisk(); },
         nullptr, nullptr, true, true},

        // 0x40000, 0x200000: session display ids, fast login data

        // 0x400000, 0x1000000: contact lists

        // 0x800000: ContactUC counter
        {0x800000, L"ContactUC",
         [](CStore& s, int tx) { return s.m_pContactUCDBStore->SaveToDisk(tx); },
         [](CStore& s) { return s.m_pContactUCDBStore->LoadFromDisk(); },
         nullptr, nullptr, false, true},
    };
    return rows;
}
