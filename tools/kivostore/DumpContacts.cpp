// dump: contact groups, inner and external contacts, recent contacts, and the counters.
#include <list>

#include "DumpFamily.h"

namespace {

void Groups(DumpWriter& out, const std::list<boost::shared_ptr<STGroup>>& groups)
{
    for (const auto& g : groups) out.Add({{"Gid", g->Gid}, {"Name", Narrow(g->Name)}});
}

void Contactors(DumpWriter& out, const std::list<boost::shared_ptr<STContactor>>& contacts)
{
    for (const auto& c : contacts) out.Add({{"Gid", c->Gid}, {"Cid", c->Cid}, {"Uid", c->Uid}, {"Flag", c->Flag}});
}

void OuterGroups(const DumpSource& source, DumpWriter& out)
{
    std::list<boost::shared_ptr<STGroup>> groups;
    source.store.GetGroups(groups);
    Groups(out, groups);
}

void InnerGroups(const DumpSource& source, DumpWriter& out)
{
    std::list<boost::shared_ptr<STGroup>> groups;
    source.store.GetInnerGroups(groups);
    Groups(out, groups);
}

void InnerContacts(const DumpSource& source, DumpWriter& out)
{
    std::list<boost::shared_ptr<STContactor>> contacts;
    source.store.GetInnerContacts(contacts);
    Contactors(out, contacts);
}

void ExternalContacts(const DumpSource& source, DumpWriter& out)
{
    std::list<boost::shared_ptr<STContactor>> contacts;
    source.store.GetExternalContacts(contacts);
    Contactors(out, contacts);
}

void RecentContacts(const DumpSource& source, DumpWriter& out)
{
    std::list<STRecentContactor> recents;
    source.store.GetRecentContactors(recents);
    for (const STRecentContactor& r : recents) out.Add({{"type", r.type}, {"recentId", r.recentId}, {"time", r.time}});
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
        {L"OuterGroupInfo", OuterGroups},
        {L"InnerGroupInfo", InnerGroups},
        {L"InnerContactListInfo", InnerContacts},
        {L"ExternalContactListInfo", ExternalContacts},
        {L"RecentContact", RecentContacts},
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
