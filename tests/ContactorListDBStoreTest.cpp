// The inner and external contact-list twins, on the store itself.
#include <string>

#include "ContactorListDBStore.h"
#include "TestDb.h"

namespace {

boost::shared_ptr<STContactor> Contact(LONG cid, LONG uid, LONG gid, LONG flag = 0)
{
    boost::shared_ptr<STContactor> contact = STContactor::CreateObject();
    contact->Cid = cid;
    contact->Uid = uid;
    contact->Gid = gid;
    contact->Flag = flag;
    return contact;
}

class ContactorListTest : public StoreTest {
protected:
    void SetUp() override
    {
        CreateSchema(DbPath());
        ASSERT_EQ(0, m_db.Open(DbPathW(), nullptr));
    }
    std::vector<LONG> Uids(const CContactorListDBStore& store)
    {
        std::list<boost::shared_ptr<STContactor>> contacts;
        store.GetContacts(contacts);
        std::vector<LONG> uids;
        for (const auto& c : contacts) uids.push_back(c->Uid);
        return uids;
    }
    CDbSQLite m_db;
};

TEST_F(ContactorListTest, ReplacingTheListKeepsTheFirstOfAUidAndOnlyTheExternalTwinDropsIncompleteOnes)
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
        EXPECT_EQ(3, held->Cid);
        EXPECT_EQ(9, held->Flag);
        EXPECT_NE(given.back().get(), held.get());  // the store holds its own records
    }
}

TEST_F(ContactorListTest, UpdateChangesTheHeldRecordInPlaceAndGetSharesIt)
{
    CInnerContactListDBStore store(&m_db);
    EXPECT_EQ(1, store.UpdateContact(Contact(1, 5, 1)));
    boost::shared_ptr<STContactor> before;
    ASSERT_EQ(1, store.GetContact(5, before));

    EXPECT_EQ(1, store.UpdateContact(Contact(2, 5, 3, 4)));
    boost::shared_ptr<STContactor> after;
    ASSERT_EQ(1, store.GetContact(5, after));
    EXPECT_EQ(before.get(), after.get());
    EXPECT_EQ(2, after->Cid);
    EXPECT_EQ(3, after->Gid);
    EXPECT_EQ(4, after->Flag);

    EXPECT_EQ(0, store.UpdateContact(nullptr));
    EXPECT_EQ(0, store.RemoveContact(6));
    EXPECT_EQ(0, store.GetContact(6, after));
    EXPECT_EQ(before.get(), after.get());  // untouched when absent
    EXPECT_EQ(1, store.RemoveContact(5));
    EXPECT_TRUE(Uids(store).empty());
}

TEST_F(ContactorListTest, LoadReadsEveryColumnAndOrdersByUnsignedUid)
{
    PlainDb plain(DbPath());
    plain.Exec("insert into ExternalContactListInfo (Gid,Cid,Uid,Flag) values (7,8,-1,10), (11,12,9,13)");
    CExternalContactListDBStore store(&m_db);
    ASSERT_EQ(1, store.LoadFromDisk());
    EXPECT_EQ((std::vector<LONG>{9, -1}), Uids(store));
    boost::shared_ptr<STContactor> c;
    ASSERT_EQ(1, store.GetContact(0xFFFFFFFFu, c));
    EXPECT_EQ(7, c->Gid);
    EXPECT_EQ(8, c->Cid);
    EXPECT_EQ(10, c->Flag);

    plain.Exec("drop table ExternalContactListInfo");
    EXPECT_EQ(0, store.LoadFromDisk());
    EXPECT_TRUE(Uids(store).empty());
    EXPECT_TRUE(m_log.Has(L"CExternalContactListDBStore::LoadFromDisk", L"select * Gid  error"));
}

}  // namespace
