#include "CorpDBStore.h"
#include "FaultVfs.h"
#include "StoreTestSupport.h"

namespace {

auto Fields(const STCorpInfo& c)
{
    return std::tie(c.Cid, c.Account, c.Name, c.CnName, c.Domain, c.State, c.LicenseNum, c.userCard, c.logoType,
                    c.EnName, c.Nation, c.Provience, c.City, c.Country, c.Address, c.Type, c.Description, c.zipCode,
                    c.Tel, c.Fax, c.Contactor, c.Email, c.Website, c.Capital, c.EmployeeNum, c.PcNum, c.regDate,
                    c.Slogn, c.config, c.maxUser, c.CorpUc);
}

STCorpInfo Corp(ULONG cid)
{
    STCorpInfo c;
    c.Cid = cid;
    c.Name = L"Corp " + std::to_wstring(cid);
    return c;
}

class CorpDBStoreTest : public OpenDbTest {
protected:
    CCorpDBStore m_store{&m_db};
};

TEST_F(CorpDBStoreTest, EveryFieldReadsBackAsWritten)
{
    STCorpInfo corp;
    corp.Cid = 4000000000u;  // above the signed 32-bit range
    corp.Account = L"acc'ount";
    corp.Name = L"\u57fa\u6c83 \U0001F600";
    corp.Type = 0xFFFFFFFFu;
    corp.regDate = 2147483648u;
    corp.CorpUc = 9;
    for (int i = 0; corp.config.size() < 20000; ++i) corp.config += i % 10 == 0 ? L'\'' : L'x';
    m_store.SetConsistent(true);
    m_store.SaveCorpInfo(corp);
    ASSERT_EQ(1, m_store.SaveToDisk(0));

    CCorpDBStore loaded(&m_db);
    ASSERT_EQ(1, loaded.LoadFromDisk());
    STCorpInfo back;
    ASSERT_EQ(1, loaded.LoadCorpInfo(4000000000u, back));
    EXPECT_TRUE(Fields(corp) == Fields(back));
    std::wstring config;
    ASSERT_EQ(1, loaded.LoadCorpConfig(4000000000u, config));
    EXPECT_EQ(corp.config, config);
}

// SaveToDisk() saves the records (0x80000) once flagged, never the counter (0x100000); the
// counter's save ignores the flag and its load comes with the records' bit.
TEST_F(CorpDBStoreTest, CounterSaveIgnoresTheConsistentFlag)
{
    m_db.Close();
    StoreOn store(DbPathW());
    store.SaveCorpInfo(Corp(1));
    store.SaveCorpUC(0xFFFFFFFFu);
    m_plain.Exec("insert into CorpUC values (3), (4)");
    EXPECT_EQ(0, store.SaveToDisk(0x80000 | 0x100000, FALSE));
    EXPECT_EQ((Rows{{"-1"}}), m_plain.Rows("select * from CorpUC"));

    store.SaveCorpUC(8);
    store.SetDataConsistentFlag(0x80000, true);
    EXPECT_EQ(0, store.SaveToDisk());  // the other flagged stores refused
    store.SetDataConsistentFlag(AllBits(), true);
    EXPECT_EQ(1, store.SaveToDisk());
    EXPECT_EQ((Rows{{"1", "-1"}}), m_plain.Rows("select (select count(*) from CorpInfo), CorpUC from CorpUC"));
    // A row the store would not write itself: the first row is the counter.
    m_plain.Exec("insert into CorpUC values (12)");
    store.Reset();
    ASSERT_EQ(1, store.LoadFromDisk(0x80000));
    LONG uc = 0;
    EXPECT_EQ(1, store.GetCorpUC(&uc));
    EXPECT_EQ(-1, uc);
    EXPECT_EQ(0, store.GetCorpUC(nullptr));
}

// "Success" is logged before the commit, so a failed commit follows it.
TEST_F(CorpDBStoreTest, CounterSaveLogsSuccessBeforeItsCommit)
{
    FaultVfs vfs;
    m_db.Close();  // reopen through the faulty file system
    ASSERT_EQ(0, m_db.Open(DbPathW(), nullptr));
    vfs.Arm(FaultVfs::Op::Sync, 1, FaultVfs::Mode::FromThenOn);
    EXPECT_EQ(0, m_store.SaveUCToDisk(FALSE));
    m_db.Close();
    EXPECT_TRUE(m_log.Has(L"CCorpDBStore::SaveUCToDisk", L"Success"));
    EXPECT_TRUE(m_log.Has(L"CCorpDBStore::SaveUCToDisk", L"COMMIT ERROR"));
}

// The table follows the corporations held, or stays as it was when an insert fails.
TEST_F(CorpDBStoreTest, SaveRewritesTheWholeTableOrFailsAtTheFirstFailedInsert)
{
    m_plain.Exec("insert into CorpInfo (Cid, Name) values (77, 'stray'), (77, 'twin')");
    m_plain.Refuse("insert on CorpInfo when new.Cid = 1");
    m_store.SetConsistent(true);
    for (ULONG cid : {1u, 2u, 3u}) m_store.SaveCorpInfo(Corp(cid));  // the later inserts would succeed
    EXPECT_EQ(0, m_store.SaveToDisk(0));
    EXPECT_TRUE(m_log.Has(L"CCorpDBStore::SaveCorpInfo", L"insert into CorpInfo  errorrefused"));
    EXPECT_EQ((Rows{{"77", "stray"}, {"77", "twin"}}), m_plain.Rows("select Cid, Name from CorpInfo order by Name"));

    m_plain.Exec("drop trigger refuse");
    EXPECT_EQ(1, m_store.RemoveCorpInfo(2));
    EXPECT_EQ(1, m_store.SaveCorpConfig(3, L"{\"a\":1}"));
    ASSERT_EQ(1, m_store.SaveToDisk(0));
    EXPECT_EQ((Rows{{"1", "Corp 1", ""}, {"3", "Corp 3", "{\"a\":1}"}}),
              m_plain.Rows("select Cid, Name, config from CorpInfo order by Cid"));
}

}  // namespace
