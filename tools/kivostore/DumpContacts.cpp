// dump: contact groups, inner and external contacts, recent contacts, and the counters.
#include <list>

#include "DumpFamily.h"

namespace {

// A list the store hands out whole: each item one record.
template <typename Item, auto get, void (*write)(DumpWriter&, const Item&)>
void ListDump(const DumpSource& source, DumpWriter& out)
{
    std::list<Item> items;
    (source.store.*get)(items);
    for (const Item& item : items) {
        if (!out.Skip()) write(out, item);
    }
}

using GroupPtr = boost::shared_ptr<STGroup>;
using ContactorPtr = boost::shared_ptr<STContactor>;

void Group(DumpWriter& out, const GroupPtr& g)
{
    out.Add({{"Gid", g->Gid}, {"Name", Narrow(g->Name)}});
}

void Contactor(DumpWriter& out, const ContactorPtr& c)
{
    out.Add({{"Gid", c->Gid}, {"Cid", c->Cid}, {"Uid", c->Uid}, {"Flag", c->Flag}});
}

void Recent(DumpWriter& out, const STRecentContactor& r)
{
    out.Add({{"type", r.type}, {"recentId", r.recentId}, {"time", r.time}});
}

// A counter store holds one value, 0 when its table has no row.
void Counter(DumpWriter& out, const char* column, IStore& store, int (IStore::*get)(LONG*))
{
    LONG uc = 0;
    (store.*get)(&uc);
    out.Add({{column, uc}});
}

}  // namespace

const std::vector<DumpStore>& ContactDumps()
{
    static const std::vector<DumpStore> stores = {
        {L"OuterGroupInfo", ListDump<GroupPtr, &IStore::GetGroups, Group>},
        {L"InnerGroupInfo", ListDump<GroupPtr, &IStore::GetInnerGroups, Group>},
        {L"InnerContactListInfo", ListDump<ContactorPtr, &IStore::GetInnerContacts, Contactor>},
        {L"ExternalContactListInfo", ListDump<ContactorPtr, &IStore::GetExternalContacts, Contactor>},
        {L"RecentContact", ListDump<STRecentContactor, &IStore::GetRecentContactors, Recent>},
        {L"InnerGroupUC",
         [](const DumpSource& s, DumpWriter& out) { Counter(out, "InnerGroupUC", s.store, &IStore::GetInnerGroupsUC); }},
        {L"InnerContactUC",
         [](const DumpSource& s, DumpWriter& out) {
             Counter(out, "InnerContactUC", s.store, &IStore::GetInnerContactUC);
         }},
        {L"ExternalGroupUC",
         [](const DumpSource& s, DumpWriter& out) {
             Counter(out, "ExternalGroupUC", s.store, &IStore::GetExternalGroupUC);
         }},
        {L"ExternalContactUC",
         [](const DumpSource& s, DumpWriter& out) {
             Counter(out, "ExternalContactUC", s.store, &IStore::GetExternalContactUC);
         }},
        {L"UserQGroupListUC",
         [](const DumpSource& s, DumpWriter& out) {
             Counter(out, "UserQGroupListUC", s.store, &IStore::GetUserQGroupListUC);
         }},
        {L"UserSessionListUC",
         [](const DumpSource& s, DumpWriter& out) { Counter(out, "SessionListUC", s.store, &IStore::GetSessionListUC); }},
        {L"ContactUC",
         [](const DumpSource& s, DumpWriter& out) { Counter(out, "ContactUC", s.store, &IStore::GetContactUC); }},
    };
    return stores;
}
