// The save mask: one row per table store, in the order loads and saves visit them.
#include "DeptInfoDBStore.h"
#include "Store.h"

// Directory stores.

// Contact-list stores.
#include "ContactListDBStore.h"

// Group, counter and recent-contact stores.

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

        // 0x40: session list

        // 0x80: recent contacts

        // 0x100, 0x4000: group-chat shared files, file-list counters

        // 0x200, 0x400, 0x800, 0x1000, 0x2000, 0x8000: counters, external contact list

        // 0x10000: group-chat list

        // 0x20000: session-list counter

        // 0x40000, 0x200000: session display ids, fast login data

        // 0x400000, 0x1000000: contact lists
        {0x400000, L"ContactListInfo",
         [](CStore& s, int tx) { return s.m_pContactListDBStore->SaveToDisk(tx); },
         [](CStore& s) { return s.m_pContactListDBStore->LoadFromDisk(); },
         [](CStore& s, bool on) { s.m_pContactListDBStore->SetConsistent(on); }, nullptr, false, true},
        {0x1000000, L"StrangerContactListInfo",
         [](CStore& s, int tx) { return s.m_pStrangerContactListDBStore->SaveToDisk(tx); },
         [](CStore& s) { return s.m_pStrangerContactListDBStore->LoadFromDisk(); },
         [](CStore& s, bool on) { s.m_pStrangerContactListDBStore->SetConsistent(on); }, nullptr, false, true},

        // 0x800000: ContactUC counter
    };
    return rows;
}
