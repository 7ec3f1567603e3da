// Sessions and group chat: the session list, its display ids, the group-chat list and the
// shared files.
#include "StoreTestSupport.h"

namespace {

using SessionListDBStoreTest = CStoreTest;

STSessionInfo Session(LONG id, const std::wstring& title)
{
    STSessionInfo session;
    session.SessionId = id;
    session.Title = title;
    return session;
}

TEST_F(SessionListDBStoreTest, QuotedAndNonBmpTextsSaveAndLoadUnchanged)
{
    const STSessionInfo info{-5, -50, L"Ren\u00e9's ''team'' \U0001F4AC", 0xFFFFFFFFu, 0xFFFFFFFFu, 3,
                             L"it's \U00020000 from 'x'"};
    m_store.SaveSessionList({info});
    ASSERT_EQ(1, m_store.SaveToDisk(0x40, FALSE));
    StoreOn fresh(DbPathW());
    ASSERT_EQ(1, fresh.LoadFromDisk(0x40));
    std::list<STSessionInfo> out;
    fresh.LoadSessionList(out);
    ASSERT_EQ(1u, out.size());
    const auto fields = [](const STSessionInfo& s) {
        return std::tie(s.SessionId, s.RoomId, s.Title, s.Cid, s.Uid, s.CreateSource, s.Transfer);
    };
    EXPECT_TRUE(fields(info) == fields(out.front()));  // -1 ids are written as -1
}

// A later element of one id wins.
TEST_F(SessionListDBStoreTest, SaveMergesBySessionIdAndKeepsRowsOfSessionsNoLongerHeld)
{
    CreateSchema(DbPath());
    PlainDb db(DbPath());
    db.Exec("insert into SessionList values (99, 0, 'old', 1, 1, 0, ''), (1, 0, 'stale', 1, 1, 0, '')");
    m_store.SaveSessionList({Session(2, L"two"), Session(1, L"one")});
    m_store.SaveSessionList({Session(2, L"first"), Session(1, L"fresh"), Session(2, L"latest")});
    m_store.SaveSessionList({});
    ASSERT_EQ(1, m_store.SaveToDisk(0x40, TRUE));
    EXPECT_EQ((Rows{{"1", "fresh"}, {"2", "latest"}, {"99", "old"}}),
              db.Rows("select SessionId, Title from SessionList order by 1"));
}

class UpdateSessionListDBStoreTest : public CStoreTest {
protected:
    void Replace(std::list<STSessionDisplayId> pairs)
    {
        std::list<STSessionDisplayId*> pointers;
        for (STSessionDisplayId& pair : pairs) pointers.push_back(&pair);
        m_store.SaveUpdateSessionList(pointers);
    }
    Rows Table() { return PlainDb(DbPath()).Rows("select * from UpdateSessionlistId order by SessionId, DisplayId"); }
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
    ASSERT_EQ(1, m_store.SaveToDisk(0x40000, FALSE));
    EXPECT_EQ((Rows{{"1", "10"}, {"1", "11"}, {"2", "21"}}), Table());
}

// The size line comes after the delete, so a refused delete leaves it out.
TEST_F(UpdateSessionListDBStoreTest, RefusedDeleteLeavesTheTableAsItWas)
{
    Replace({{1, 10}, {-1, -10}});
    ASSERT_EQ(1, m_store.SaveToDisk(0x40000, FALSE));
    EXPECT_TRUE(m_log.AnyContains(L"SaveToDisk size[2]"));
    m_log.Clear();
    Replace({{2, 20}});
    PlainDb(DbPath()).Refuse("delete on UpdateSessionlistId");
    EXPECT_EQ(0, m_store.SaveToDisk(0x40000, FALSE));
    EXPECT_EQ((Rows{{"-1", "-10"}, {"1", "10"}}), Table());
    EXPECT_FALSE(m_log.AnyContains(L"SaveToDisk size["));
}

using UserQGroupListDBStoreTest = CStoreTest;

TEST_F(UserQGroupListDBStoreTest, IdsKeepTheirOrderAndSign)
{
    const std::list<int> ids = {42, -7, 3, -2147483647 - 1, 2147483647};
    m_store.SetUserQGroupList(ids);
    ASSERT_EQ(1, m_store.SaveToDisk(0x10000, FALSE));
    m_store.Reset();
    ASSERT_EQ(1, m_store.LoadFromDisk(0x10000));
    std::list<int> held;
    m_store.GetUserQGroupList(held);
    EXPECT_EQ(ids, held);
}

// Every field but the two extra texts set.
STQGroupShareFile File(ULONG group, ULONG clientFileId, const std::wstring& name)
{
    return {group, 1, 2, name, 3, 3000000000u + clientFileId, L"memory only", 4, L"md5'" + name, clientFileId, 5, 6, 7, L""};
}

class QGroupShareFileDBStoreTest : public CStoreTest {
protected:
    void Set(unsigned int group, std::list<STQGroupShareFile> files)
    {
        std::list<STQGroupShareFile*> pointers;
        for (STQGroupShareFile& file : files) pointers.push_back(&file);
        m_store.SetQGroupShareFiles(group, pointers);
    }
    std::vector<std::wstring> Names(unsigned int group)
    {
        std::list<STQGroupShareFile*> files;
        m_store.GetQGroupShareFiles(group, files);
        std::vector<std::wstring> names;
        for (const STQGroupShareFile* f : files) names.push_back(f->FileName + L"|" + f->FileMD5Id + L"|" + f->ExtraText1);
        return names;
    }
};

// Run under AddressSanitizer: the handed-out records are passed back, and the dropped
// duplicate must leave no leak.
TEST_F(QGroupShareFileDBStoreTest, PassingBackTheHandedOutPointersKeepsTheFiles)
{
    Set(7, {File(7, 2, L"b"), File(7, 1, L"a"), File(7, 2, L"b again")});
    const std::vector<std::wstring> expected = {L"a|md5'a|memory only", L"b|md5'b|memory only"};
    EXPECT_EQ(expected, Names(7));
    std::list<STQGroupShareFile*> handed;
    m_store.GetQGroupShareFiles(7, handed);
    handed.push_back(nullptr);
    handed.push_back(handed.front());
    m_store.SetQGroupShareFiles(7, handed);
    EXPECT_EQ(expected, Names(7));
}

TEST_F(QGroupShareFileDBStoreTest, SaveRewritesHeldGroupsAndLeavesOthersAlone)
{
    CreateSchema(DbPath());
    PlainDb db(DbPath());
    db.Exec("insert into QGroupShareFileInfoPwd values (7, 1, 1, 'old1', 0, 0, 0, '', 1, 0, 0, 0),"
            " (7, 3, 1, 'old3', 0, 0, 0, '', 3, 0, 0, 0), (8, 1, 1, 'other', 0, 0, 0, '', 1, 0, 0, 0),"
            " (9, 1, 1, 'gone', 0, 0, 0, '', 1, 0, 0, 0)");
    Set(7, {File(7, 2, L"it's \U0001F4C4.pdf")});
    Set(9, {});
    ASSERT_EQ(1, m_store.SaveToDisk(0x100, FALSE));
    EXPECT_EQ((Rows{{"7", "2"}, {"8", "1"}}), db.Rows("select QGroupId, ClientFileId from QGroupShareFileInfoPwd order by 1"));
    ASSERT_EQ(1, m_store.LoadFromDisk(0x100));
    EXPECT_EQ((std::vector<std::wstring>{L"it's \U0001F4C4.pdf|md5'it's \U0001F4C4.pdf|"}), Names(7));
}

// A record keeps its own QGroupId: the delete of the group it names must not take its row.
TEST_F(QGroupShareFileDBStoreTest, ARecordHeldUnderAnotherGroupKeepsItsRow)
{
    Set(7, {File(8, 1, L"x")});
    Set(8, {File(8, 2, L"y")});
    ASSERT_EQ(1, m_store.SaveToDisk(0x100, FALSE));
    EXPECT_EQ((Rows{{"8", "1"}, {"8", "2"}}),
              PlainDb(DbPath()).Rows("select QGroupId, ClientFileId from QGroupShareFileInfoPwd order by 2"));
}

}  // namespace
