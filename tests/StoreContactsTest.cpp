// Groups and contact lists: the twins on the stores themselves, and through IStore their
// independence and the whole rewrite that never leaves a half-written table behind.
#include "ContactorListDBStore.h"
#include "StoreTestSupport.h"

namespace {

using Keys = std::vector<LONG>;

// One record per key, made by make.
template <typename Make>
auto ListOf(const Keys& keys, Make make)
{
    std::list<decltype(make(0))> records;
    for (LONG key : keys) records.push_back(make(key));
    return records;
}
auto Groups(const Keys& gids) { return ListOf(gids, [](LONG gid) { return Group(gid, L"g"); }); }
auto Contacts(const Keys& uids) { return ListOf(uids, [](LONG uid) { return Contact(1, uid, 1); }); }

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

// Each twin saves under its own flag into its own table, and loads back only its own records.
TEST_F(StoreContactsTest, TwinsKeepTheirOwnDataFlagsAndTables)
{
    const unsigned all = 0x8 | 0x10 | 0x20 | 0x2000;
    m_store.SetGroups({Group(1, L"outer")});
    m_store.SetInnerGroups({Group(2, L"inner")});
    m_store.SetInnerContacts({Contact(1, 10, 2)});
    m_store.SetExternalContacts({Contact(9, 20, 1, 5)});
    m_store.SetDataConsistentFlag(0x8 | 0x20, true);
    m_store.SaveToDisk(all, FALSE);
    EXPECT_EQ("1 0 1 0", PlainDb(DbPath()).Counts({"OuterGroupInfo", "InnerGroupInfo", "InnerContactListInfo",
                                                    "ExternalContactListInfo"}));

    m_store.SetDataConsistentFlag(0x10 | 0x2000, true);
    ASSERT_EQ(1, m_store.SaveToDisk(all, FALSE));
    m_store.Reset();
    ASSERT_EQ(1, m_store.LoadFromDisk(all));
    boost::shared_ptr<STGroup> group;
    boost::shared_ptr<STContactor> contact;
    EXPECT_EQ(0, m_store.GetGroup(2, group) + m_store.GetInnerGroup(1, group) + m_store.GetInnerContact(20, contact) +
                     m_store.GetExternalContact(10, contact));
    EXPECT_EQ(2, m_store.GetInnerGroup(2, group) + m_store.GetInnerContact(10, contact));
    // Get-one hands out the held record itself.
    ASSERT_EQ(1, m_store.GetGroup(1, group));
    EXPECT_EQ(1, m_store.UpdateGroup(Group(1, L"renamed")));
    EXPECT_EQ(L"renamed", group->Name);
    ASSERT_EQ(1, m_store.GetExternalContact(20, contact));
    EXPECT_EQ(std::make_tuple(9, 20, 1, 5), std::tie(contact->Cid, contact->Uid, contact->Gid, contact->Flag));
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
        EXPECT_EQ(1, c.store->UpdateContact(Contact(5, 7, 6, 2)));
        EXPECT_EQ(std::make_tuple(5, 7, 6, 2), std::tie(held->Cid, held->Uid, held->Gid, held->Flag));
        EXPECT_EQ(0, c.store->UpdateContact(nullptr) + c.store->RemoveContact(8));
    }
}

}  // namespace
