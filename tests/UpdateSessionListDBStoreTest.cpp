#include "StoreTestSupport.h"

namespace {

using Pairs = std::vector<std::pair<LONG, LONG>>;

class UpdateSessionListDBStoreTest : public CStoreTest {
protected:
    int Replace(std::list<STSessionDisplayId> pairs)
    {
        std::list<STSessionDisplayId*> pointers;
        for (STSessionDisplayId& pair : pairs) pointers.push_back(&pair);
        return m_store.SaveUpdateSessionList(pointers);
    }
    Pairs Held()
    {
        std::list<STSessionDisplayId*> held;
        m_store.GetUpdateSessionList(held);
        Pairs pairs;
        for (const STSessionDisplayId* p : held) pairs.emplace_back(p->SessionId, p->DisplayId);
        return pairs;
    }
};

// Run under AddressSanitizer: freeing the held records before copying reads freed memory.
TEST_F(UpdateSessionListDBStoreTest, PassingBackTheHandedOutPointersKeepsThePairs)
{
    Replace({{1, 10}, {1, 11}, {2, 20}});
    std::list<STSessionDisplayId*> handed;
    m_store.GetUpdateSessionList(handed);
    handed.back()->DisplayId = 21;
    handed.insert(std::next(handed.begin()), nullptr);
    EXPECT_EQ(1, m_store.SaveUpdateSessionList(handed));
    EXPECT_TRUE(m_log.Has(L"CUpdateSessionListDBStore::save", L"null elements ignored"));

    EXPECT_EQ((Pairs{{1, 10}, {1, 11}, {2, 21}}), Held());
}

TEST_F(UpdateSessionListDBStoreTest, DuplicatePairsFailTheSaveAndLeaveTheTableAsItWas)
{
    Replace({{1, 10}, {-1, -10}});
    ASSERT_EQ(1, m_store.SaveToDisk(0x40000, FALSE));
    Replace({{2, 20}, {3, 30}, {2, 20}});
    PlainDb db(DbPath());
    for (int inTransaction : {FALSE, TRUE}) {
        m_log.Clear();
        EXPECT_EQ(0, m_store.SaveToDisk(0x40000, inTransaction));
        EXPECT_TRUE(m_log.Has(L"CUpdateSessionListDBStore::SaveToDisk", L"insert into UserQGroupId error"));
        EXPECT_EQ((Rows{{"-1", "-10"}, {"1", "10"}}), db.Rows("select * from UpdateSessionlistId order by SessionId"));
    }
    ASSERT_EQ(1, m_store.LoadFromDisk(0x40000));  // the held list becomes the table's
    EXPECT_EQ((Pairs{{1, 10}, {-1, -10}}), Held());
}

}  // namespace
