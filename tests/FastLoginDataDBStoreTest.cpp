#include <string>

#include "Store.h"
#include "TestDb.h"

namespace {

const unsigned kAboveTwoTo31 = 3000000000u;

class FastLoginDataDBStoreTest : public StoreTest {
protected:
    void SetUp() override
    {
        m_store.SetDBPath(DbPathW());
        ASSERT_EQ(1, m_store.LoadFromDisk(0x200000));  // also creates the schema and the row
    }

    std::vector<std::vector<std::string>> Rows()
    {
        return PlainDb(DbPath()).Rows("select Uid, LastLiveTime, SessionId from Fast_Login_Data");
    }

    CStore m_store;
};

TEST_F(FastLoginDataDBStoreTest, FirstLoadInsertsThePlaceholderRowOnce)
{
    EXPECT_EQ((std::vector<std::vector<std::string>>{{"1", "0", ""}}), Rows());
    unsigned time = 9;
    std::wstring id = L"x";
    EXPECT_EQ(1, m_store.GetLastLiveTime(&time));
    EXPECT_EQ(1, m_store.GetFastLoginSessionId(id));
    EXPECT_EQ(0u, time);
    EXPECT_EQ(L"", id);
    ASSERT_EQ(1, m_store.LoadFromDisk(0x200000));
    EXPECT_EQ(1u, Rows().size());
}

TEST_F(FastLoginDataDBStoreTest, ImmediateWritesLandBeforeTheFlagWhileTheMaskedSaveDoesNot)
{
    const unsigned time = 77;
    EXPECT_EQ(1, m_store.SetLastLiveTime(&time, true));
    EXPECT_EQ(1, m_store.SetFastLoginSessionId(L"a'b", true));
    EXPECT_EQ((std::vector<std::vector<std::string>>{{"1", "77", "a'b"}}), Rows());

    const unsigned later = 78;
    EXPECT_EQ(1, m_store.SetLastLiveTime(&later, false));
    EXPECT_EQ(0, m_store.SaveToDisk(0x200000, FALSE));
    EXPECT_TRUE(m_log.HasText(
        L"CFastLoginDataDBStore::SaveToDisk, End, not loginOver, to avoid inconsistent data, do not save local db"));
    EXPECT_EQ("77", Rows()[0][1]);
    m_store.SetDataConsistentFlag(0x200000, true);
    EXPECT_EQ(1, m_store.SaveToDisk(0x200000, FALSE));
    EXPECT_EQ("78", Rows()[0][1]);
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
        EXPECT_EQ(c.stored, Rows()[0][1]);
        CStore fresh;
        fresh.SetDBPath(DbPathW());
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
    db.Exec("create trigger noupdate before update on Fast_Login_Data begin select raise(abort, 'blocked'); end");
    db.Exec("create trigger noinsert before insert on Fast_Login_Data begin select raise(abort, 'blocked'); end");
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

TEST_F(FastLoginDataDBStoreTest, NullPointerArgumentsAreIgnoredWithALogLine)
{
    EXPECT_EQ(0, m_store.GetLastLiveTime(nullptr));
    EXPECT_EQ(0, m_store.SetLastLiveTime(nullptr, true));
    m_store.GetQGroupFileListUC(1, nullptr);
    EXPECT_TRUE(m_log.Has(L"CFastLoginDataDBStore::GetLastLiveTime", L"null pointer ignored"));
    EXPECT_TRUE(m_log.Has(L"CFastLoginDataDBStore::SetLastLiveTime", L"null pointer ignored"));
    EXPECT_TRUE(m_log.Has(L"CQGroupFileListUCDBStore::GetQGroupFileListUC", L"null pointer ignored"));
    EXPECT_EQ("0", Rows()[0][1]);
}

}  // namespace
