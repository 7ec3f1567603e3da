// Sample contact groups, inner and external contacts, update counters and recent
// contacts. External contacts without a corporation are left out by the store, and
// more recents than the store keeps are added, so the report shows both rules at work.
#include <cstdio>
#include <string>

#include "DemoFamily.h"
#include "IStore.h"

namespace {

const LONG kCorpId = 1000;
const int kGroupCount = 20;
const int kRecentCount = 60;

boost::shared_ptr<STGroup> Group(LONG gid, const std::wstring& name)
{
    boost::shared_ptr<STGroup> group = STGroup::CreateObject();
    group->Gid = gid;
    group->Name = name;
    return group;
}

boost::shared_ptr<STContactor> Contact(LONG cid, LONG uid, LONG gid)
{
    boost::shared_ptr<STContactor> contact = STContactor::CreateObject();
    contact->Cid = cid;
    contact->Uid = uid;
    contact->Gid = gid;
    contact->Flag = uid % 3;
    return contact;
}

void Fill(IStore& store, int scale)
{
    std::list<boost::shared_ptr<STGroup>> inner, outer;
    for (LONG gid = 1; gid <= kGroupCount; ++gid) {
        inner.push_back(Group(gid, L"Team " + std::to_wstring(gid)));
        outer.push_back(Group(gid, gid % 5 == 0 ? L"Partners' \u5408\u4f5c" : L"Customers " + std::to_wstring(gid)));
    }
    store.SetInnerGroups(inner);
    store.SetGroups(outer);

    const LONG contacts = scale / 5;  // 2000 at the default scale
    std::list<boost::shared_ptr<STContactor>> innerContacts, externalContacts;
    for (LONG uid = 1; uid <= contacts; ++uid) {
        innerContacts.push_back(Contact(kCorpId, uid, uid % kGroupCount + 1));
        // every tenth external contact has no corporation and is dropped by the store
        externalContacts.push_back(Contact(uid % 10 == 0 ? 0 : kCorpId + 1, 100000 + uid, uid % kGroupCount + 1));
    }
    store.SetInnerContacts(innerContacts);
    store.SetExternalContacts(externalContacts);

    store.SaveInnerGroupsUC(11);
    store.SaveInnerContactUC(12);
    store.SaveExternalGroupUC(13);
    store.SaveExternalContactUC(14);
    store.SaveUserQGroupListUC(15);
    store.SaveSessionListUC(16);
    store.SaveContactUC(17);

    // written at once, one row each; the store keeps the 50 latest
    for (int i = 1; i <= kRecentCount; ++i) store.UpdateRecentContactor(500 + i, i % 2, 1700000000 + i * 60);
}

void Report(IStore& store)
{
    std::list<boost::shared_ptr<STGroup>> inner, outer;
    store.GetInnerGroups(inner);
    store.GetGroups(outer);
    std::printf("  groups: %zu inner, %zu outer", inner.size(), outer.size());
    boost::shared_ptr<STGroup> partners;
    if (store.GetGroup(5, partners)) std::printf(", outer 5 \"%ls\"", partners->Name.c_str());
    std::printf("\n");

    std::list<boost::shared_ptr<STContactor>> innerContacts, externalContacts;
    store.GetInnerContacts(innerContacts);
    store.GetExternalContacts(externalContacts);
    std::printf("  contacts: %zu inner, %zu external (no-corporation ones left out)\n", innerContacts.size(),
                externalContacts.size());

    LONG uc[7] = {};
    store.GetInnerGroupsUC(&uc[0]);
    store.GetInnerContactUC(&uc[1]);
    store.GetExternalGroupUC(&uc[2]);
    store.GetExternalContactUC(&uc[3]);
    store.GetUserQGroupListUC(&uc[4]);
    store.GetSessionListUC(&uc[5]);
    store.GetContactUC(&uc[6]);
    std::printf("  counters: %d %d %d %d %d %d %d\n", uc[0], uc[1], uc[2], uc[3], uc[4], uc[5], uc[6]);

    std::list<STRecentContactor> recents;
    store.GetRecentContactors(recents);
    std::printf("  recent contacts: %zu of %d added", recents.size(), kRecentCount);
    if (!recents.empty()) std::printf(", ids %d..%d", recents.front().recentId, recents.back().recentId);
    std::printf("\n");
}

}  // namespace

const DemoFamily kDemoContacts = {"groups, contacts, counters, recents",
    KivoSaveMask::kOuterGroupInfo | KivoSaveMask::kInnerGroupInfo |
    KivoSaveMask::kInnerContactListInfo | KivoSaveMask::kRecentContact |
    KivoSaveMask::kInnerGroupUC | KivoSaveMask::kInnerContactUC |
    KivoSaveMask::kExternalGroupUC | KivoSaveMask::kExternalContactUC |
    KivoSaveMask::kExternalContactListInfo | KivoSaveMask::kUserQGroupListUC |
    KivoSaveMask::kUserSessionListUC | KivoSaveMask::kContactUC,
    Fill, Report};
