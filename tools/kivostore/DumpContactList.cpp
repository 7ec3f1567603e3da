// dump: the contact list and the stranger list, each contact as the JSON its row holds.
#include <map>

#include "ContactListDBStore.h"
#include "DumpFamily.h"

namespace {

void Contacts(const DumpSource& source, DumpWriter& out, bool stranger)
{
    std::map<ULONG, STContactInfo> contacts;
    source.store.GetContactList(contacts, stranger);
    for (const auto& [uid, contact] : contacts) {
        if (out.Skip()) continue;
        std::wstring text;
        CContactListDBStore::ContactInfoToJsonString(contact, text);
        Record info = Record::parse(Narrow(text), nullptr, false);
        if (info.is_discarded()) info = Narrow(text);
        out.Add({{"uid", uid}, {"contactinfo", info}});
    }
}

}  // namespace

const std::vector<DumpStore>& ContactListDumps()
{
    static const std::vector<DumpStore> stores = {
        {L"ContactListInfo", [](const DumpSource& s, DumpWriter& out) { Contacts(s, out, false); }},
        {L"StrangerContactListInfo", [](const DumpSource& s, DumpWriter& out) { Contacts(s, out, true); }},
    };
    return stores;
}
