#include "StoreTestSupport.h"

namespace {

class UserQGroupListDBStoreTest : public CStoreTest {
protected:
    std::list<int> Held()
    {
        std::list<int> ids;
        m_store.GetUserQGroupList(ids);
        return ids;
    }
};

TEST_F(UserQGroupListDBStoreTest, OrderAndNegativeIdsSurviveASaveAndLoad)
{
    const std::list<int> ids = {42, -7, 3, -2147483647 - 1, 2147483647};
    m_store.SetUserQGroupList(ids);
    EXPECT_EQ(ids, Held());
    ASSERT_EQ(1, m_store.SaveToDisk(0x10000, FALSE));

    m_store.SetUserQGroupList({});
    ASSERT_EQ(1, m_store.LoadFromDisk(0x10000));
    EXPECT_EQ(ids, Held());
    std::list<int> appended = {1};
    m_store.GetUserQGroupList(appended);
    EXPECT_EQ(ids.size() + 1, appended.size());

    m_store.SetUserQGroupList({});  // an empty list empties the table
    ASSERT_EQ(1, m_store.SaveToDisk(0x10000, FALSE));
    EXPECT_EQ(0, PlainDb(DbPath()).Count("UserQGroupId"));
}

TEST_F(UserQGroupListDBStoreTest, RepeatedIdFailsTheSaveWithoutEmptyingTheTable)
{
    m_store.SetUserQGroupList({1, 2});
    ASSERT_EQ(1, m_store.SaveToDisk(0x10000, FALSE));
    m_store.SetUserQGroupList({3, 4, 3});
    PlainDb db(DbPath());
    for (int inTransaction : {FALSE, TRUE}) {
        EXPECT_EQ(0, m_store.SaveToDisk(0x10000, inTransaction));
        EXPECT_EQ((Rows{{"1"}, {"2"}}), db.Rows("select * from UserQGroupId"));
    }
    EXPECT_TRUE(m_log.Has(L"CUserQGroupListDBStore::SaveToDisk", L"insert into UserQGroupId error"));
    EXPECT_EQ((std::list<int>{3, 4, 3}), Held());
}

}  // namespace
