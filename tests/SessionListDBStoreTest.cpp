#include <list>

#include "Store.h"
#include "TestDb.h"

namespace {

STSessionInfo Session(LONG id, const std::wstring& title, const std::wstring& transfer = L"")
{
    STSessionInfo info;
    info.SessionId = id;
    info.RoomId = id * 10;
    info.Title = title;
    info.Transfer = transfer;
    return info;
}

class SessionListDBStoreTest : public StoreTest {
protected:
    void SetUp() override { m_store.SetDBPath(DbPathW()); }

    std::list<STSessionInfo> Reloaded()
    {
        CStore fresh;
        fresh.SetDBPath(DbPathW());
        EXPECT_EQ(1, fresh.LoadFromDisk(0x40));
        std::list<STSessionInfo> out;
        fresh.LoadSessionList(out);
        return out;
    }

    CStore m_store;
};

TEST_F(SessionListDBStoreTest, QuotedAndNonBmpTextsSaveAndLoadUnchanged)
{
    STSessionInfo info = Session(-5, L"Ren\u00e9's ''team'' \U0001F4AC", L"it's \U00020000 from 'x'");
    info.CreateSource = 3;
    m_store.SaveSessionList({info});
    ASSERT_EQ(1, m_store.SaveToDisk(0x40, FALSE));

    std::list<STSessionInfo> out = Reloaded();
    ASSERT_EQ(1u, out.size());
    const STSessionInfo& back = out.front();
    EXPECT_EQ(-5, back.SessionId);
    EXPECT_EQ(-50, back.RoomId);
    EXPECT_EQ(info.Title, back.Title);
    EXPECT_EQ(info.Transfer, back.Transfer);
    EXPECT_EQ(0xFFFFFFFFu, back.Cid);  // the -1 default written as -1
    EXPECT_EQ(0xFFFFFFFFu, back.Uid);
    EXPECT_EQ(3, back.CreateSource);
}

TEST_F(SessionListDBStoreTest, SaveSessionListMergesBySessionIdAndLaterElementWins)
{
    m_store.SaveSessionList({Session(2, L"two"), Session(1, L"one")});
    m_store.SaveSessionList({Session(2, L"first"), Session(3, L"three"), Session(2, L"latest")});
    m_store.SaveSessionList({});

    std::list<STSessionInfo> out = {Session(0, L"kept")};
    m_store.LoadSessionList(out);
    std::vector<std::wstring> titles;
    for (const STSessionInfo& s : out) titles.push_back(s.Title);
    EXPECT_EQ((std::vector<std::wstring>{L"kept", L"one", L"latest", L"three"}), titles);
}

TEST_F(SessionListDBStoreTest, SaveKeepsRowsOfSessionsNoLongerHeld)
{
    CreateSchema(DbPath());
    PlainDb db(DbPath());
    db.Exec("insert into SessionList values (99, 0, 'old', 1, 1, 0, '')");
    db.Exec("insert into SessionList values (1, 0, 'stale', 1, 1, 0, '')");
    m_store.SaveSessionList({Session(1, L"fresh")});
    ASSERT_EQ(1, m_store.SaveToDisk(0x40, TRUE));

    EXPECT_EQ((std::vector<std::vector<std::string>>{{"1", "fresh"}, {"99", "old"}}),
              db.Rows("select SessionId, Title from SessionList order by SessionId"));
}

TEST_F(SessionListDBStoreTest, FailedInsertCommitsNothing)
{
    CreateSchema(DbPath());
    PlainDb db(DbPath());
    db.Exec("insert into SessionList values (1, 0, 'old', 1, 1, 0, '')");
    db.Exec("create trigger no2 before insert on SessionList when new.SessionId = 2 begin select raise(abort, 'x'); end");
    m_store.SaveSessionList({Session(1, L"new"), Session(2, L"blocked")});
    for (int inTransaction : {FALSE, TRUE}) {
        EXPECT_EQ(0, m_store.SaveToDisk(0x40, inTransaction));
        EXPECT_EQ("old", db.Value("select Title from SessionList where SessionId = 1"));
    }
}

}  // namespace
