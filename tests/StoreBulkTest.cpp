// Loading and saving by mask, the consistent flags, and the store's lifecycle.
#include <unistd.h>

#include <gtest/gtest.h>

#include "IStore.h"
#include "Store.h"
#include "TestDb.h"
#include "Utf8.h"

namespace {

class StoreBulkTest : public StoreTest {
protected:
    void SetUp() override { m_store.SetDBPath(DbPathW()); }
    CStore m_store;
};

STDeptInfo Dept(ULONG did)
{
    STDeptInfo info;
    info.Did = did;
    info.Name = L"d" + std::to_wstring(did);
    return info;
}

}  // namespace

TEST_F(StoreBulkTest, MaskZeroAnswersByTheTransaction)
{
    EXPECT_EQ(m_store.SaveToDisk(0, TRUE), 1);   // an empty transaction commits
    EXPECT_EQ(m_store.SaveToDisk(0, FALSE), 0);  // no store saved
    EXPECT_EQ(m_store.SaveToDisk(0x2000000, FALSE), 0);  // bits above the table select nothing
    EXPECT_TRUE(m_log.Has(L"CStore::SaveToDisk", L"Begin and type = "));
    EXPECT_TRUE(m_log.Has(L"CStore::SaveToDisk", L"End and type = "));
}

TEST_F(StoreBulkTest, WithoutATransactionEveryStoreThatRanMustSucceed)
{
    m_store.SaveDeptInfo(Dept(1));
    EXPECT_EQ(m_store.SaveToDisk(0x1, FALSE), 0);  // flag still false
    m_store.SetDataConsistentFlag(0x1, true);
    EXPECT_TRUE(m_log.HasText(L"CStore::SetDataConsistentFlag, Begin , Mask = 1, bConsistent = true"));
    EXPECT_EQ(m_store.SaveToDisk(0x1, FALSE), 1);
    EXPECT_EQ(PlainDb(DbPath()).Count("DeptInfo"), 1);
}

TEST_F(StoreBulkTest, SaveEverythingOpensTheFileFirstAndSavesTheAllSaveStores)
{
    m_store.SetDataConsistentFlag(0xFFFFFFFF, true);
    m_store.SaveDeptInfo(Dept(1));
    EXPECT_EQ(m_store.SaveToDisk(), 1);
    EXPECT_EQ(PlainDb(DbPath()).Count("DeptInfo"), 1);

    m_store.SetDBPath(CString(FromUtf8(m_dir.File("missing/dir/x.db"))));
    EXPECT_EQ(m_store.SaveToDisk(), 0);
}

TEST_F(StoreBulkTest, ASharedTransactionIsAllOrNothing)
{
    m_store.SetDataConsistentFlag(0x1, true);
    m_store.SaveDeptInfo(Dept(1));
    ASSERT_EQ(m_store.SaveToDisk(0x1, TRUE), 1);
    PlainDb(DbPath()).Exec(
        "create trigger refuse before insert on DeptInfo when new.Did = 9 begin select raise(abort, 'no'); end");
    m_store.SaveDeptInfo(Dept(8));
    m_store.SaveDeptInfo(Dept(9));
    m_store.RemoveDeptInfo(0, 1);
    EXPECT_EQ(m_store.SaveToDisk(0x1, TRUE), 0);
    EXPECT_EQ(PlainDb(DbPath()).Rows("select Did from DeptInfo"), (std::vector<std::vector<std::string>>{{"1"}}));
    PlainDb(DbPath()).Exec("drop trigger refuse");
    EXPECT_EQ(m_store.SaveToDisk(0x1, TRUE), 1);  // everything pending was kept
    EXPECT_EQ(PlainDb(DbPath()).Rows("select Did from DeptInfo order by Did"),
              (std::vector<std::vector<std::string>>{{"8"}, {"9"}}));
}

TEST_F(StoreBulkTest, LoadsOpenTheFileAndLeaveItOpenSavesCloseIt)
{
    ASSERT_EQ(m_store.LoadFromDisk(), 1);
    PlainDb(DbPath()).Exec("insert into DeptInfo (Cid, Did, Name) values (1, 2, 'x')");
    ASSERT_EQ(m_store.LoadFromDisk(0x1), 1);
    std::list<boost::shared_ptr<STDeptInfo>> depts;
    m_store.LoadDeptInfo(0, depts);
    EXPECT_EQ(depts.size(), 1u);
    EXPECT_EQ(m_store.SaveToDisk(0, TRUE), 1);
    // The last connection's close checkpoints and removes the write-ahead log.
    EXPECT_NE(access((DbPath() + "-wal").c_str(), F_OK), 0);
    EXPECT_EQ(m_store.SaveToDisk(0, TRUE), 1);  // the next operation opens it again
}

TEST_F(StoreBulkTest, ResetEmptiesEveryStoreAndKeepsThePath)
{
    m_store.SetDataConsistentFlag(0x1, true);
    m_store.SaveDeptInfo(Dept(1));
    ASSERT_EQ(m_store.SaveToDisk(0x1, TRUE), 1);
    m_store.SaveDeptInfo(Dept(2));
    EXPECT_EQ(m_store.Reset(), 1);
    std::list<boost::shared_ptr<STDeptInfo>> depts;
    m_store.LoadDeptInfo(0, depts);
    EXPECT_TRUE(depts.empty());
    m_store.SaveDeptInfo(Dept(3));
    EXPECT_EQ(m_store.SaveToDisk(0x1, FALSE), 0);  // the flags start false again
    ASSERT_EQ(m_store.LoadFromDisk(0x1), 1);       // same file as before the reset
    m_store.LoadDeptInfo(0, depts);
    EXPECT_EQ(depts.size(), 1u);
}

TEST(StoreInstance, IsOneObjectForTheLifeOfTheModule)
{
    IStore* first = IStore::GetInstance();
    EXPECT_EQ(first, IStore::GetInstance());
    EXPECT_EQ(first->DeptInfoNoOp(1, 2, 3), 1);
}
