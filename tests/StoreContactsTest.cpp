// Groups and contact lists: the twins on the stores themselves, and through IStore their
// independence and the whole rewrite that never leaves a half-written table behind.
#include "ContactGroupDBStore.h"
#include "ContactorListDBStore.h"
#include "StoreTestSupport.h"

namespace {

using Keys = std::vector<LONG>;

std::list<boost::shared_ptr<STGroup>> Groups(const Keys& gids)
{
    std::list<boost::shared_ptr<STGroup>> groups;
    for (LONG gid : gids) groups.push_back(Group(gid, L"g"));
    return groups;
}

std::list<boost::shared_ptr<STContactor>> Contacts(const Keys& uids)
{
    std::list<boost::shared_ptr<STContactor>> contacts;
    for (LONG uid : uids) contacts.push_back(Contact(1, uid, 1));
    return contacts;
}

struct RewriteCase {
    std::string table;
    std::string key;
    unsigned int bit;
    void (*set)(IStore&, const Keys&);
} const kRewrites[] = {
    {"OuterGroupInfo", "Gid", 0x8, [](IStore& s, const Keys& k) { s.SetGroups(Groups(k)); }},
    {"InnerGroupInfo", "Gid", 0x10, [](IStore& s, const Keys& k) { s.SetInnerGroups(Groups(k)); }},
    {"InnerContactListInfo", "Uid", 0x20, [](IStore& s, const Keys& k) { s.SetInnerContacts(Contacts(k)); }},
    {"ExternalContactListInfo", "Uid", 0x2000, [](IStore& s, const Keys& k) { s.SetExternalContacts(Contacts(k)); }},
};

using StoreContactsTest = CStoreTest;

TEST_F(StoreContactsTest, SaveRewritesTheWholeTableAndAFailedInsertLeavesItAsItWas)
{
    CreateSchema(DbPath());
    PlainDb plain(DbPath());
    for (const RewriteCase& c : kRewrites) {
        for (int bInTransaction : {TRUE, FALSE}) {
            SCOPED_TRACE(c.table + (bInTransaction ? " in the caller's transaction" : " in its own"));
            plain.Exec("delete from " + c.table + "; insert into " + c.table + "(" + c.key + ") values (100)");
            StoreOn store(DbPathW());
            store.SetDataConsistentFlag(c.bit, true);
            c.set(store, {3, -1, 2});
            ASSERT_EQ(1, store.SaveToDisk(c.bit, bInTransaction));
            const Rows written = plain.Rows("select " + c.key + " from " + c.table + " order by rowid");
            EXPECT_EQ((Rows{{"2"}, {"3"}, {"-1"}}), written);

            plain.Refuse("insert on " + c.table + " when new." + c.key + " = 5");
            c.set(store, {4, 5});
            EXPECT_EQ(0, store.SaveToDisk(c.bit, bInTransaction));
            EXPECT_EQ(written, plain.Rows("select " + c.key + " from " + c.table + " order by rowid"));
            plain.Exec("drop trigger refuse");
        }
    }
}

TEST_F(StoreContactsTest, TwinsKeepTheirOwnDataFlagsAndTables)
{
    CStore& store = m_store;
    store.SetGroups({Group(1, L"outer")});
    store.SetInnerGroups({Group(2, L"inner")});
    store.SetInnerContacts({Contact(1, 10, 2)});
    store.SetExternalContacts({Contact(9, 20, 1, 5)});

    // Only one twin of each pair may save; the other refuses and writes nothing.
    store.SetDataConsistentFlag(0x8 | 0x20, true);
    store.SaveToDisk(0x8 | 0x10 | 0x20 | 0x2000, FALSE);
    EXPECT_EQ("1 0 1 0", PlainDb(DbPath()).Counts({"OuterGroupInfo", "InnerGroupInfo", "InnerContactListInfo",
                                                    "ExternalContactListInfo"}));

    store.SetDataConsistentFlag(0x10 | 0x2000, true);
    ASSERT_EQ(1, store.SaveToDisk(0x8 | 0x10 | 0x20 | 0x2000, FALSE));
    store.Reset();
    ASSERT_EQ(1, store.LoadFromDisk(0x8 | 0x10 | 0x20 | 0x2000));
    boost::shared_ptr<STGroup> group;
    boost::shared_ptr<STContactor> contact;
    EXPECT_EQ(3, store.GetGroup(1, group) + store.GetInnerGroup(2, group) + store.GetInnerContact(10, contact));
    EXPECT_EQ(0, store.GetGroup(2, group) + store.GetInnerGroup(1, group) + store.GetInnerContact(20, contact) +
                     store.GetExternalContact(10, contact));
    ASSERT_EQ(1, store.GetExternalContact(20, contact));
    // Every column is read back into its own field.
    EXPECT_EQ((std::vector<LONG>{9, 20, 1, 5}),
              (std::vector<LONG>{contact->Cid, contact->Uid, contact->Gid, contact->Flag}));
}

using ContactGroupTest = OpenDbTest;

// Null elements are skipped; get-one hands out the held record itself.
TEST_F(ContactGroupTest, SetKeepsTheFirstOfAGidAndUpdateRenamesInPlace)
{
    CInnerGroupDBStore store(&m_db);
    EXPECT_EQ(1, store.SetGroups({Group(4, L"first"), nullptr, Group(4, L"second"), Group(-1, L"top")}));
    boost::shared_ptr<STGroup> held, after;
    ASSERT_EQ(1, store.GetGroup(4, held));
    EXPECT_EQ(L"first", held->Name);
    EXPECT_EQ(1, store.UpdateGroup(Group(4, L"renamed")));
    ASSERT_EQ(1, store.GetGroup(4, after));
    EXPECT_EQ(held.get(), after.get());
    EXPECT_EQ(L"renamed", held->Name);
    EXPECT_EQ(0, store.UpdateGroup(nullptr) + store.RemoveGroup(5));
    EXPECT_EQ(1, store.RemoveGroup(4));
    EXPECT_EQ(0, store.GetGroup(4, after));
}

using ContactorListTest = OpenDbTest;

std::vector<LONG> Uids(const CContactorListDBStore& store)
{
    std::list<boost::shared_ptr<STContactor>> contacts;
    store.GetContacts(contacts);
    std::vector<LONG> uids;
    for (const auto& c : contacts) uids.push_back(c->Uid);
    return uids;
}

// Update overwrites the held record in place, so a record handed out earlier sees it.
TEST_F(ContactorListTest, ReplacingKeepsTheFirstOfAUidAndOnlyTheExternalTwinDropsIncompleteOnes)
{
    CInnerContactListDBStore inner(&m_db);
    CExternalContactListDBStore external(&m_db);
    struct Case {
        CContactorListDBStore* store;
        std::vector<LONG> uids;
    } cases[] = {{&inner, {0, 5, 7}}, {&external, {7}}};
    const std::list<boost::shared_ptr<STContactor>> given = {
        Contact(0, 5, 1), Contact(3, 0, 1), nullptr, Contact(3, 7, 1, 9), Contact(4, 7, 2)};
    for (const Case& c : cases) {
        EXPECT_EQ(1, c.store->SetContacts(given));
        EXPECT_EQ(c.uids, Uids(*c.store));
        boost::shared_ptr<STContactor> held;
        ASSERT_EQ(1, c.store->GetContact(7, held));
        EXPECT_EQ(std::make_pair(3, 9), std::make_pair(held->Cid, held->Flag));
        EXPECT_NE(given.back().get(), held.get());  // the store holds its own records
        EXPECT_EQ(1, c.store->UpdateContact(Contact(5, 7, 6, 2)));
        EXPECT_EQ((std::vector<LONG>{5, 7, 6, 2}), (std::vector<LONG>{held->Cid, held->Uid, held->Gid, held->Flag}));
        EXPECT_EQ(0, c.store->UpdateContact(nullptr) + c.store->RemoveContact(8));
    }
}

}  // namespace
