// Groups and contact lists through IStore: slot positions, the twins' independence, and
// the whole rewrite that never leaves a half-written table behind.
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "Store.h"
#include "TestDb.h"

namespace {

// On this ABI a virtual member pointer holds 1 + the byte offset of its vtable entry, and
// the destructor takes two entries, so slot k sits at entry k + 1.
template <class Member>
size_t SlotOf(Member IStore::*member)
{
    std::ptrdiff_t raw = 0;
    std::memcpy(&raw, &member, sizeof raw);
    return static_cast<size_t>(raw - 1) / sizeof(void*) - 1;
}

// Each block holds consecutive slots in this order (the outer groups' replace-all comes
// before their get-all, the inner groups' after). The blocks' own positions depend on the
// neighbouring blocks; the first one follows the department slots 1 to 4.
TEST(StoreContactsSlots, EveryBlockKeepsItsOperationsInSlotOrder)
{
    const std::vector<std::vector<size_t>> blocks = {
        {SlotOf(&IStore::SetGroups), SlotOf(&IStore::GetGroups), SlotOf(&IStore::UpdateGroup),
         SlotOf(&IStore::RemoveGroup), SlotOf(&IStore::GetGroup)},
        {SlotOf(&IStore::GetInnerGroups), SlotOf(&IStore::SetInnerGroups), SlotOf(&IStore::UpdateInnerGroup),
         SlotOf(&IStore::RemoveInnerGroup), SlotOf(&IStore::GetInnerGroup), SlotOf(&IStore::GetInnerContacts),
         SlotOf(&IStore::SetInnerContacts), SlotOf(&IStore::UpdateInnerContact), SlotOf(&IStore::RemoveInnerContact),
         SlotOf(&IStore::GetInnerContact)},
        {SlotOf(&IStore::GetRecentContactors), SlotOf(&IStore::UpdateRecentContactor),
         SlotOf(&IStore::DeleteRecentContactor), SlotOf(&IStore::ClearRecentContactor)},
        {SlotOf(&IStore::GetInnerGroupsUC), SlotOf(&IStore::SaveInnerGroupsUC), SlotOf(&IStore::GetInnerContactUC),
         SlotOf(&IStore::SaveInnerContactUC)},
        {SlotOf(&IStore::GetExternalGroupUC), SlotOf(&IStore::SaveExternalGroupUC),
         SlotOf(&IStore::GetExternalContactUC), SlotOf(&IStore::SaveExternalContactUC),
         SlotOf(&IStore::GetExternalContacts), SlotOf(&IStore::SetExternalContacts),
         SlotOf(&IStore::UpdateExternalContact), SlotOf(&IStore::RemoveExternalContact),
         SlotOf(&IStore::GetExternalContact), SlotOf(&IStore::GetUserQGroupListUC),
         SlotOf(&IStore::SaveUserQGroupListUC)},
        {SlotOf(&IStore::GetSessionListUC), SlotOf(&IStore::SaveSessionListUC)},
        {SlotOf(&IStore::GetContactUC), SlotOf(&IStore::SaveContactUC)},
    };
    EXPECT_EQ(5u, blocks[0][0]);
    for (size_t b = 0; b < blocks.size(); ++b) {
        SCOPED_TRACE(b);
        if (b > 0) {
            EXPECT_LT(blocks[b - 1].back(), blocks[b][0]);
        }
        for (size_t k = 1; k < blocks[b].size(); ++k) EXPECT_EQ(blocks[b][0] + k, blocks[b][k]);
    }
}

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
    return contact;
}

void SetGroupKeys(IStore& s, int (IStore::*set)(const std::list<boost::shared_ptr<STGroup>>&),
                  const std::vector<LONG>& keys)
{
    std::list<boost::shared_ptr<STGroup>> groups;
    for (LONG gid : keys) groups.push_back(Group(gid, L"g"));
    (s.*set)(groups);
}

void SetContactKeys(IStore& s, int (IStore::*set)(const std::list<boost::shared_ptr<STContactor>>&),
                    const std::vector<LONG>& keys)
{
    std::list<boost::shared_ptr<STContactor>> contacts;
    for (LONG uid : keys) contacts.push_back(Contact(1, uid, 1));
    (s.*set)(contacts);
}

struct RewriteCase {
    std::string table;
    std::string key;
    unsigned int bit;
    std::function<void(IStore&, const std::vector<LONG>&)> set;
    const wchar_t* saveTag;
    const wchar_t* insertError;
};

const RewriteCase kRewrites[] = {
    {"OuterGroupInfo", "Gid", 0x8, [](IStore& s, const std::vector<LONG>& k) { SetGroupKeys(s, &IStore::SetGroups, k); },
     L"CGroupDBStore::SaveToDisk", L"insert into OuterGroupInfo error"},
    {"InnerGroupInfo", "Gid", 0x10,
     [](IStore& s, const std::vector<LONG>& k) { SetGroupKeys(s, &IStore::SetInnerGroups, k); },
     L"CInnerGroupDBStore::SaveToDisk", L"insert into InnerGroupInfo  error"},
    {"InnerContactListInfo", "Uid", 0x20,
     [](IStore& s, const std::vector<LONG>& k) { SetContactKeys(s, &IStore::SetInnerContacts, k); },
     L"CInnerContactListDBStore::SaveToDisk", L"insert into InnerContactListInfo  error"},
    {"ExternalContactListInfo", "Uid", 0x2000,
     [](IStore& s, const std::vector<LONG>& k) { SetContactKeys(s, &IStore::SetExternalContacts, k); },
     L"CExternalContactListDBStore::SaveToDisk", L"insert into ExternalContactListInfo  error"},
};

using StoreContactsTest = StoreTest;

TEST_F(StoreContactsTest, SaveRewritesTheWholeTableAndAFailedInsertLeavesItAsItWas)
{
    CreateSchema(DbPath());
    PlainDb plain(DbPath());
    for (const RewriteCase& c : kRewrites) {
        for (int bInTransaction : {TRUE, FALSE}) {
            SCOPED_TRACE(c.table + (bInTransaction ? " in the caller's transaction" : " in its own"));
            plain.Exec("delete from " + c.table + "; insert into " + c.table + "(" + c.key + ") values (100)");
            CStore store;
            store.SetDBPath(DbPathW());
            store.SetDataConsistentFlag(c.bit, true);
            c.set(store, {3, -1, 2});
            ASSERT_EQ(1, store.SaveToDisk(c.bit, bInTransaction));
            const auto written = plain.Rows("select " + c.key + " from " + c.table + " order by rowid");
            EXPECT_EQ((std::vector<std::vector<std::string>>{{"2"}, {"3"}, {"-1"}}), written);

            plain.Exec("create trigger refuse before insert on " + c.table + " when new." + c.key +
                       " = 5 begin select raise(abort, 'refused'); end");
            c.set(store, {4, 5});
            m_log.Clear();
            EXPECT_EQ(0, store.SaveToDisk(c.bit, bInTransaction));
            EXPECT_EQ(written, plain.Rows("select " + c.key + " from " + c.table + " order by rowid"));
            EXPECT_TRUE(m_log.Has(c.saveTag, c.insertError));
            plain.Exec("drop trigger refuse");
        }
    }
}

TEST_F(StoreContactsTest, TwinsKeepTheirOwnDataFlagsAndTables)
{
    CStore store;
    store.SetDBPath(DbPathW());
    store.SetGroups({Group(1, L"outer")});
    store.SetInnerGroups({Group(2, L"inner")});
    store.SetInnerContacts({Contact(1, 10, 2)});
    store.SetExternalContacts({Contact(9, 20, 1)});

    // Only one twin of each pair may save; the other refuses and writes nothing.
    store.SetDataConsistentFlag(0x8 | 0x20, true);
    store.SaveToDisk(0x8 | 0x10 | 0x20 | 0x2000, FALSE);
    EXPECT_TRUE(m_log.HasText(
        L"CInnerGroupDBStore::SaveToDisk, End, not loginOver, to avoid inconsistent data, do not save local db"));
    EXPECT_TRUE(m_log.HasText(L"CExternalContactListDBStore::SaveToDisk, End, not loginOver, to avoid inconsistent "
                              L"data, do not save local db"));
    PlainDb plain(DbPath());
    EXPECT_EQ(1, plain.Count("OuterGroupInfo"));
    EXPECT_EQ(0, plain.Count("InnerGroupInfo"));
    EXPECT_EQ(1, plain.Count("InnerContactListInfo"));
    EXPECT_EQ(0, plain.Count("ExternalContactListInfo"));

    store.SetDataConsistentFlag(0x10 | 0x2000, true);
    ASSERT_EQ(1, store.SaveToDisk(0x8 | 0x10 | 0x20 | 0x2000, FALSE));
    store.Reset();
    ASSERT_EQ(1, store.LoadFromDisk(0x8 | 0x10 | 0x20 | 0x2000));
    std::list<boost::shared_ptr<STGroup>> outer, inner;
    store.GetGroups(outer);
    store.GetInnerGroups(inner);
    ASSERT_EQ(1u, outer.size());
    ASSERT_EQ(1u, inner.size());
    EXPECT_EQ(L"outer", outer.front()->Name);
    EXPECT_EQ(L"inner", inner.front()->Name);
    boost::shared_ptr<STContactor> contact;
    EXPECT_EQ(1, store.GetInnerContact(10, contact));
    EXPECT_EQ(0, store.GetInnerContact(20, contact));
    EXPECT_EQ(1, store.GetExternalContact(20, contact));
    EXPECT_EQ(0, store.GetExternalContact(10, contact));
}

}  // namespace
