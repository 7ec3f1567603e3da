#include "StoreTestSupport.h"

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

using SessionListDBStoreTest = CStoreTest;

TEST_F(SessionListDBStoreTest, QuotedAndNonBmpTextsSaveAndLoadUnchanged)
{
    STSessionInfo info = Session(-5, L"Ren\u00e9's ''team'' \U0001F4AC", L"it's \U00020000 from 'x'");
    info.CreateSource = 3;
    m_store.SaveSessionList({info});
    ASSERT_EQ(1, m_store.SaveToDisk(0x40, FALSE));

    StoreOn fresh(DbPathW());
    ASSERT_EQ(1, fresh.LoadFromDisk(0x40));
    std::list<STSessionInfo> out;
    fresh.LoadSessionList(out);
    ASSERT_EQ(1u, out.size());
    const STSessionInfo& back = out.front();
    EXPECT_EQ(std::make_tuple(-5, -50, info.Title, info.Transfer, 3),
              std::tie(back.SessionId, back.RoomId, back.Title, back.Transfer, back.CreateSource));
    EXPECT_EQ(std::make_pair(0xFFFFFFFFu, 0xFFFFFFFFu), std::make_pair(back.Cid, back.Uid));  // -1 written as -1
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

TEST_F(SessionListDBStoreTest, SaveKeepsRowsOfSessionsNoLongerHeldAndAFailedInsertCommitsNothing)
{
    CreateSchema(DbPath());
    PlainDb db(DbPath());
    db.Exec("insert into SessionList values (99, 0, 'old', 1, 1, 0, ''), (1, 0, 'stale', 1, 1, 0, '')");
    m_store.SaveSessionList({Session(1, L"fresh")});
    ASSERT_EQ(1, m_store.SaveToDisk(0x40, TRUE));
    EXPECT_EQ((Rows{{"1", "fresh"}, {"99", "old"}}), db.Rows("select SessionId, Title from SessionList order by 1"));

    db.Refuse("insert on SessionList when new.SessionId = 2");
    m_store.SaveSessionList({Session(1, L"new"), Session(2, L"blocked")});
    for (int inTransaction : {FALSE, TRUE}) {
        EXPECT_EQ(0, m_store.SaveToDisk(0x40, inTransaction));
        EXPECT_EQ("fresh", db.Value("select Title from SessionList where SessionId = 1"));
    }
}

}  // namespace
