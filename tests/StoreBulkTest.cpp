// Loading and saving by mask, the consistent flags, and the store's lifecycle.
#include <unistd.h>

#include "StoreTestSupport.h"

namespace {

using StoreBulkTest = CStoreTest;

// What every store holds, as the sample families report it through IStore alone.
std::string Held(IStore& store)
{
    testing::internal::CaptureStdout();
    for (const DemoFamily& family : DemoFamilies()) family.report(store);
    return testing::internal::GetCapturedStdout();
}

}  // namespace

TEST_F(StoreBulkTest, MaskZeroAnswersByTheTransaction)
{
    EXPECT_EQ(m_store.SaveToDisk(0, TRUE), 1);   // an empty transaction commits
    EXPECT_EQ(m_store.SaveToDisk(0, FALSE), 0);  // no store saved
    EXPECT_EQ(m_store.SaveToDisk(0x2000000, FALSE), 0);  // bits above the table select nothing
}

// The corporation store runs first and refuses; the department store after it succeeds.
TEST_F(StoreBulkTest, WithoutATransactionEveryStoreThatRanMustSucceed)
{
    STDeptInfo dept;
    dept.Did = 1;
    m_store.SaveDeptInfo(dept);
    m_store.SetDataConsistentFlag(0x1, true);
    EXPECT_EQ(m_store.SaveToDisk(0x80000 | 0x1, FALSE), 0);
    EXPECT_EQ(PlainDb(DbPath()).Count("DeptInfo"), 1);
    EXPECT_EQ(m_store.SaveToDisk(0x1, FALSE), 1);
}

TEST_F(StoreBulkTest, SaveEverythingOpensTheFileFirstAndSavesTheAllSaveStores)
{
    STDeptInfo dept;
    dept.Did = 1;
    m_store.SetDataConsistentFlag(0xFFFFFFFF, true);
    m_store.SaveDeptInfo(dept);
    EXPECT_EQ(m_store.SaveToDisk(), 1);
    EXPECT_EQ(PlainDb(DbPath()).Count("DeptInfo"), 1);

    m_store.SetDBPath(CString(FromUtf8(m_dir.File("missing/dir/x.db"))));
    EXPECT_EQ(m_store.SaveToDisk(), 0);
}

TEST_F(StoreBulkTest, LoadsOpenTheFileAndLeaveItOpenSavesCloseIt)
{
    ASSERT_EQ(m_store.LoadFromDisk(), 1);
    PlainDb(DbPath()).Exec("insert into DeptInfo (Cid, Did, Name) values (1, 2, 'x')");
    ASSERT_EQ(m_store.LoadFromDisk(0x1), 1);
    EXPECT_EQ(HeldDepts(m_store).size(), 1u);
    EXPECT_EQ(m_store.SaveToDisk(0, TRUE), 1);
    // The last connection's close checkpoints and removes the write-ahead log.
    EXPECT_NE(access((DbPath() + "-wal").c_str(), F_OK), 0);
    EXPECT_EQ(m_store.SaveToDisk(0, TRUE), 1);  // the next operation opens it again
}

TEST_F(StoreBulkTest, ResetEmptiesEveryStoreAndKeepsThePath)
{
    StoreOn untouched(m_dir.File("untouched.db"));  // on a file of its own: the report opens the file
    const std::string empty = Held(untouched);
    IStore& store = m_store;
    ASSERT_EQ(LoadAndFill(m_store, DbPath(), 500), 1);
    ASSERT_EQ(store.SaveToDisk(AllBits(), TRUE), 1);
    const std::string filled = Held(store);
    EXPECT_NE(filled, empty);

    EXPECT_EQ(store.Reset(), 1);
    EXPECT_EQ(Held(store), empty);
    EXPECT_EQ(store.SaveToDisk(0x1, FALSE), 0);  // the consistent flags start false again

    ASSERT_EQ(store.LoadFromDisk(), 1);  // the same file, by the kept path
    EXPECT_EQ(Held(store), filled);
}
