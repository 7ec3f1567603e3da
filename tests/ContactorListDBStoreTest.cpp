// The inner and external contact-list twins, on the store itself.
#include "ContactorListDBStore.h"
#include "StoreTestSupport.h"

namespace {

using ContactorListTest = OpenDbTest;

std::vector<LONG> Uids(const CContactorListDBStore& store)
{
    std::list<boost::shared_ptr<STContactor>> contacts;
    store.GetContacts(contacts);
    std::vector<LONG> uids;
    for (const auto& c : contacts) uids.push_back(c->Uid);
    return uids;
}

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
        EXPECT_EQ(3, held->Cid);
        EXPECT_EQ(9, held->Flag);
        EXPECT_NE(given.back().get(), held.get());  // the store holds its own records
    }
}

TEST_F(ContactorListTest, UpdateOverwritesTheHeldRecordInPlace)
{
    CInnerContactListDBStore store(&m_db);
    store.UpdateContact(Contact(1, 7, 1));
    boost::shared_ptr<STContactor> held;
    store.GetContact(7, held);
    EXPECT_EQ(1, store.UpdateContact(Contact(5, 7, 6, 2)));
    EXPECT_EQ((std::vector<LONG>{5, 7, 6, 2}), (std::vector<LONG>{held->Cid, held->Uid, held->Gid, held->Flag}));
    EXPECT_EQ(0, store.UpdateContact(nullptr));
    EXPECT_EQ(0, store.RemoveContact(8));
}

}  // namespace
