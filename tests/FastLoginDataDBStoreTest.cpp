#include "StoreTestSupport.h"

namespace {

const unsigned kAboveTwoTo31 = 3000000000u;

class FastLoginDataDBStoreTest : public CStoreTest {
protected:
    void SetUp() override
    {
        CStoreTest::SetUp();
        ASSERT_EQ(1, m_store.LoadFromDisk(0x200000));  // also creates the schema and the row
    }
    ::Rows Table() { return PlainDb(DbPath()).Rows("select Uid, LastLiveTime, SessionId from Fast_Login_Data"); }
};

// Null pointers are ignored.
TEST_F(FastLoginDataDBStoreTest, FirstLoadInsertsThePlaceholderRowOnce)
{
    EXPECT_EQ(0, m_store.GetLastLiveTime(nullptr) + m_store.SetLastLiveTime(nullptr, true));
    EXPECT_EQ((Rows{{"1", "0", ""}}), Table());
    unsigned time = 9;
    std::wstring id = L"x";
    EXPECT_EQ(2, m_store.GetLastLiveTime(&time) + m_store.GetFastLoginSessionId(id));
    EXPECT_EQ(std::make_pair(0u, std::wstring()), std::make_pair(time, id));
    ASSERT_EQ(1, m_store.LoadFromDisk(0x200000));
    EXPECT_EQ(1u, Table().size());
}

TEST_F(FastLoginDataDBStoreTest, ImmediateWritesLandBeforeTheFlagWhileTheMaskedSaveDoesNot)
{
    const unsigned time = 77;
    EXPECT_EQ(1, m_store.SetLastLiveTime(&time, true));
    EXPECT_EQ(1, m_store.SetFastLoginSessionId(L"a'b", true));
    EXPECT_EQ((Rows{{"1", "77", "a'b"}}), Table());

    const unsigned later = 78;
    EXPECT_EQ(1, m_store.SetLastLiveTime(&later, false));
    EXPECT_EQ(0, m_store.SaveToDisk(0x200000, FALSE));
    EXPECT_EQ("77", Table()[0][1]);
    m_store.SetDataConsistentFlag(0x200000, true);
    EXPECT_EQ(1, m_store.SaveToDisk(0x200000, FALSE));
    EXPECT_EQ("78", Table()[0][1]);
}

// The immediate update writes %u, the masked save %d; both read back as written.
TEST_F(FastLoginDataDBStoreTest, TimeAboveTwoTo31ReadsBackAsWrittenByEitherPath)
{
    m_store.SetDataConsistentFlag(0x200000, true);
    struct Case { bool immediate; const char* stored; };
    for (const Case& c : {Case{true, "3000000000"}, Case{false, "-1294967296"}}) {
        ASSERT_EQ(1, m_store.LoadFromDisk(0x200000));
        if (c.immediate) {
            ASSERT_EQ(1, m_store.SetLastLiveTime(&kAboveTwoTo31, true));
        } else {
            ASSERT_EQ(1, m_store.SetLastLiveTime(&kAboveTwoTo31, false));
            ASSERT_EQ(1, m_store.SaveToDisk(0x200000, TRUE));
        }
        EXPECT_EQ(c.stored, Table()[0][1]);
        StoreOn fresh(DbPathW());
        ASSERT_EQ(1, fresh.LoadFromDisk(0x200000));
        unsigned time = 0;
        fresh.GetLastLiveTime(&time);
        EXPECT_EQ(kAboveTwoTo31, time) << c.stored;
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
    EXPECT_TRUE(m_log.Has(L"CFastLoginDataDBStore::ExecuteTransaction", L"ExecuteInTransaction error, "));
    EXPECT_TRUE(m_log.Has(L"CFastLoginDataDBStore::SaveToDisk", L"insert into Fast_Login_Data  error"));

    for (const std::wstring& piece : {token, std::wstring(L"tok''en"), std::wstring(L"en-\U0001F511")})
        EXPECT_FALSE(m_log.AnyContains(piece));
}

}  // namespace
