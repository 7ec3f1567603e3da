// The recent contacts: cap and eviction, immediate writes, and when the table is emptied.
#include <algorithm>
#include <iterator>

#include "RecentContactorDBStore.h"
#include "StoreTestSupport.h"

namespace {

class RecentContactorTest : public OpenDbTest {
protected:
    // Rows (1, i, i) for i from 1 to count.
    void Seed(int count)
    {
        std::string sql = "insert into RecentContact values (1, 1, 1)";
        for (int i = 2; i <= count; ++i) sql += ", (1, " + std::to_string(i) + ", " + std::to_string(i) + ")";
        m_plain.Exec(sql);
    }
};

std::list<STRecentContactor> Held(const CRecentContactorDBStore& store)
{
    std::list<STRecentContactor> recents;
    store.GetRecentContactors(recents);
    return recents;
}

TEST_F(RecentContactorTest, LoadKeepsTheFiftyLatestAndTheLatestRowOfAnId)
{
    Seed(60);
    m_plain.Exec("insert into RecentContact values (2, 30, 1000)");
    CRecentContactorDBStore store(&m_db);
    ASSERT_EQ(1, store.LoadFromDisk());
    const std::list<STRecentContactor> recents = Held(store);
    // The 50 latest rows are times 12 to 60 and 1000; id 30 has two of them, so 49 recents.
    ASSERT_EQ(49u, recents.size());
    EXPECT_EQ(std::make_pair(12, 60), std::make_pair(recents.front().recentId, recents.back().recentId));
    EXPECT_EQ(2, std::next(recents.begin(), 30 - 12)->type);
}

TEST_F(RecentContactorTest, TheFiftyFirstEvictsTheOldestFromMemoryButKeepsItsRow)
{
    struct Case {
        const char* name;
        LONG id;
        LONG time;
        LONG evicted;
    } cases[] = {
        {"tie on the smallest time: lowest unsigned id goes", -1, 1, 1},
        {"times compare unsigned", 100, -5, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CRecentContactorDBStore store(&m_db);
        for (int i = 1; i <= 50; ++i) store.UpdateRecentContactor(i, 1, i);
        store.UpdateRecentContactor(c.id, 1, c.time);
        const std::list<STRecentContactor> held = Held(store);
        EXPECT_EQ(50u, held.size());
        EXPECT_TRUE(std::none_of(held.begin(), held.end(), [&](auto& r) { return r.recentId == c.evicted; }));
        EXPECT_EQ(51, m_plain.Count("RecentContact"));
        m_plain.Exec("delete from RecentContact");
    }
}

TEST_F(RecentContactorTest, UpdatesAndDeletesReachTheTableAtOnce)
{
    CRecentContactorDBStore store(&m_db);
    store.UpdateRecentContactor(7, 1, 100);
    store.UpdateRecentContactor(7, 2, 200);  // same id, other kind: one in memory, two rows
    EXPECT_EQ(2, m_plain.Count("RecentContact"));
    store.DeleteRecentContactor(7, 1);       // memory goes whatever its kind; only the (1, 7) row goes
    EXPECT_TRUE(Held(store).empty());
    EXPECT_EQ((Rows{{"2", "7", "200"}}), m_plain.Rows("select * from RecentContact"));
}

// Memory alone being empty must never wipe the table; only a clear does.
TEST_F(RecentContactorTest, TableIsEmptiedOnlyAfterAClear)
{
    Seed(55);
    CRecentContactorDBStore store(&m_db);
    EXPECT_EQ(1, store.SaveToDisk(FALSE));  // before any load
    EXPECT_EQ(55, m_plain.Count("RecentContact"));
    store.ClearRecentContactor();
    store.UpdateRecentContactor(99, 2, 5);  // after the clear: the only row left
    EXPECT_EQ(1, store.SaveToDisk(FALSE));
    EXPECT_EQ((Rows{{"2", "99", "5"}}), m_plain.Rows("select * from RecentContact"));
    ASSERT_EQ(1, store.LoadFromDisk());
    EXPECT_EQ(1u, Held(store).size());
}

// The clear is written in the shared transaction; if that commit fails the clear is still due.
TEST_F(RecentContactorTest, ClearSurvivesAFailedSharedCommit)
{
    Seed(3);
    m_plain.Refuse("insert on InnerGroupUC");
    StoreOn store(DbPathW());
    store.ClearRecentContactor();
    EXPECT_EQ(0, store.SaveToDisk(0x80 | 0x200, TRUE));
    EXPECT_EQ(3, m_plain.Count("RecentContact"));

    m_plain.Exec("drop trigger refuse");
    EXPECT_EQ(1, store.SaveToDisk(0x80, TRUE));
    EXPECT_EQ(0, m_plain.Count("RecentContact"));

    // Once committed the clear is done: rows that memory does not hold stay from now on.
    Seed(1);
    EXPECT_EQ(1, store.SaveToDisk(0x80, TRUE));
    EXPECT_EQ(1, m_plain.Count("RecentContact"));
}

}  // namespace
