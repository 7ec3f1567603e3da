// Sample contact lists: contacts with one to three corporation entries, and a short
// stranger list; a few contacts also go through the row-at-once add, modify and delete.
#include <cstdio>
#include <map>
#include <string>

#include "DemoFamily.h"
#include "IStore.h"

namespace {

STContactInfo MakeContact(ULONG uid)
{
    STContactInfo contact;
    contact.uid = uid;
    contact.cid = 1000 + uid % 3;
    contact.contactor.uid = uid;
    contact.contactor.groupid = uid % 12;
    contact.contactor.markname = uid % 9 == 0 ? L"O'Neil \U0001F600" : L"";
    contact.account = L"user" + std::to_wstring(uid);
    contact.name = L"Contact " + std::to_wstring(uid) + (uid % 5 == 0 ? L" \u674e\u56db" : L"");
    contact.mobile = L"+49 151 " + std::to_wstring(2000000 + uid);
    for (ULONG k = 0; k <= uid % 3; ++k) {
        STContactorCorpInfo corp;
        corp.cid = 1000 + (uid + k) % 3;
        corp.name = contact.name;
        corp.pos = k == 0 ? L"Engineer" : L"Advisor";
        contact.mapCorpInfo[corp.cid] = corp;
    }
    return contact;
}

void Fill(IStore& store, int scale)
{
    std::map<ULONG, STContactInfo> contacts;
    std::map<ULONG, STContactInfo> strangers;
    const ULONG count = static_cast<ULONG>(scale) / 10;  // 1000 at the default scale
    for (ULONG uid = 1; uid <= count; ++uid) contacts[uid] = MakeContact(uid);
    for (ULONG uid = 900001; uid <= 900000 + count / 10; ++uid) strangers[uid] = MakeContact(uid);
    store.SaveContactList(contacts, false);
    store.SaveContactList(strangers, true);

    STContactInfo added = MakeContact(count + 1);
    store.AddContact(added, false);
    added.sign = L"written at once, then changed";
    store.ModifyContact(added.uid, added, false);
    store.DelContact(900001, true);
}

void Report(IStore& store)
{
    std::map<ULONG, STContactInfo> contacts;
    store.GetContactList(contacts, false);
    size_t entries = 0;
    for (const auto& entry : contacts) entries += entry.second.mapCorpInfo.size();
    store.OpenDBFile();  // the stored check reads the table
    std::printf("  contacts: %zu with %zu corporation entries, strangers: %d, ContactListInfo stored: %s\n",
                contacts.size(), entries, store.GetContactCount(true), store.IsContactListStored() ? "yes" : "no");
    store.CloseDBFile();
    if (!contacts.empty()) {
        const STContactInfo& last = contacts.rbegin()->second;
        std::printf("  last contact: uid %u \"%ls\" sign \"%ls\", %zu corporation entries\n", last.uid,
                    last.name.c_str(), last.sign.c_str(), last.mapCorpInfo.size());
    }
}

}  // namespace

const DemoFamily kDemoContactList = {"contact lists",
    KivoSaveMask::kContactListInfo | KivoSaveMask::kStrangerContactListInfo,
    Fill, Report};
