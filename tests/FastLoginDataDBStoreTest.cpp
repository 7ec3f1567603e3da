#include "StoreTestSupport.h"

namespace {

class FastLoginDataDBStoreTest : public CStoreTest {
protected:
    void SetUp() override
    {
        CStoreTest::SetUp();
        ASSERT_EQ(1, m_store.LoadFromDisk(0x200000));  // also creates the schema and the row
    }
    ::Rows Table() { return PlainDb(DbPath()).Rows("select Uid, LastLiveTime, SessionId from Fast_Login_Data"); }
};

// The first load inserts the placeholder row, once; immediate writes land before the flag
// is set while the masked save waits for it.
TEST_F(FastLoginDataDBStoreTest, PlaceholderRowAndImmediateWritesBeforeTheFlag)
{
    EXPECT_EQ((Rows{{"1", "0", ""}}), Table());
    const unsigned time = 77;
    EXPECT_EQ(1, m_store.SetLastLiveTime(&time, true));
    EXPECT_EQ(1, m_store.SetFastLoginSessionId(L"a'b", true));
    ASSERT_EQ(1, m_store.LoadFromDisk(0x200000));
    EXPECT_EQ((Rows{{"1", "77", "a'b"}}), Table());

    const unsigned later = 78;
    EXPECT_EQ(1, m_store.SetLastLiveTime(&later, false));
    EXPECT_EQ(0, m_store.SaveToDisk(0x200000, FALSE));
    EXPECT_EQ("77", Table()[0][1]);
    m_store.SetDataConsistentFlag(0x200000, true);
    EXPECT_EQ(1, m_store.SaveToDisk(0x200000, FALSE));
    EXPECT_EQ("78", Table()[0][1]);
}

// An update alone would find no row (never loaded, or removed) and still answer 1.
TEST_F(FastLoginDataDBStoreTest, WriteNowWithoutTheRowWritesIt)
{
    StoreOn neverLoaded(m_dir.File("fresh.db"));
    const unsigned time = 9;
    EXPECT_EQ(1, neverLoaded.SetLastLiveTime(&time, true));
    EXPECT_EQ((Rows{{"1", "9", ""}}), PlainDb(m_dir.File("fresh.db")).Rows("select * from Fast_Login_Data"));
    PlainDb(m_dir.File("fresh.db")).Exec("delete from Fast_Login_Data");
    EXPECT_EQ(1, neverLoaded.SetFastLoginSessionId(L"s", true));
    EXPECT_EQ((Rows{{"1", "0", "s"}}), PlainDb(m_dir.File("fresh.db")).Rows("select * from Fast_Login_Data"));
}

// The immediate update writes %u, the masked save %d; both read back as written.
TEST_F(FastLoginDataDBStoreTest, TimeAboveTwoTo31ReadsBackAsWrittenByEitherPath)
{
    const unsigned time = 3000000000u;
    m_store.SetDataConsistentFlag(0x200000, true);
    for (bool immediate : {true, false}) {
        ASSERT_EQ(1, m_store.SetLastLiveTime(&time, immediate));
        ASSERT_EQ(1, immediate ? 1 : m_store.SaveToDisk(0x200000, TRUE));  // the masked save writes %d
        EXPECT_EQ(immediate ? "3000000000" : "-1294967296", Table()[0][1]);
        StoreOn fresh(DbPathW());
        ASSERT_EQ(1, fresh.LoadFromDisk(0x200000));
        unsigned back = 0;
        fresh.GetLastLiveTime(&back);
        EXPECT_EQ(time, back) << immediate;
    }
}

TEST_F(FastLoginDataDBStoreTest, SessionIdWithAQuoteIsStoredAndNeverLogged)
{
    const std::wstring token = L"tok'en-\U0001F511-x";
    m_store.SetDataConsistentFlag(0x200000, true);
    ASSERT_EQ(1, m_store.SetFastLoginSessionId(token, true));
    ASSERT_EQ(1, m_store.SaveToDisk(0x200000, FALSE));
    ASSERT_EQ(1, m_store.LoadFromDisk(0x200000));
    std::wstring back;
    m_store.GetFastLoginSessionId(back);
    EXPECT_EQ(token, back);

    // Failures log LastError texts: none may carry the token either.
    PlainDb db(DbPath());
    db.Refuse("update on Fast_Login_Data", "noupdate");
    db.Refuse("insert on Fast_Login_Data", "noinsert");
    EXPECT_EQ(0, m_store.SetFastLoginSessionId(token, true));
    EXPECT_EQ(0, m_store.SaveToDisk(0x200000, TRUE));
    m_store.OpenDBFile();
    EXPECT_EQ(0, m_store.SaveToDisk(0x200000, FALSE));
    m_store.OpenDBFile();
    db.Exec("drop table Fast_Login_Data");
    EXPECT_EQ(0, m_store.SetFastLoginSessionId(token, true));
    EXPECT_TRUE(m_log.AnyContains(L"no such table"));

    for (const std::wstring& piece : {token, std::wstring(L"tok''en"), std::wstring(L"en-\U0001F511")})
        EXPECT_FALSE(m_log.AnyContains(piece));
}

}  // namespace
