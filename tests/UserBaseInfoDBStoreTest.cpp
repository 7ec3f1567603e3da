#include "FaultVfs.h"
#include "StoreTestSupport.h"
#include "UserBaseInfoDBStore.h"
#include "UserPositionExInfoDBStore.h"

namespace {

auto Fields(const STUserBaseInfo& u)
{
    return std::tie(u.Cid, u.Uid, u.Account, u.CorpAccount, u.Name, u.Gender, u.ExistFlag, u.PartialFlag,
                    u.PositionEx, u.ActiveState);
}

STUserBaseInfo User(ULONG uid, const std::wstring& name = L"Ann")
{
    STUserBaseInfo u;
    u.Cid = 1000;
    u.Uid = uid;
    u.CorpAccount = L"kivo";
    u.Account = L"user" + std::to_wstring(uid);
    u.Name = name;
    u.ExistFlag = 1;
    return u;
}

// Every test runs on both twins; they differ only in table and texts and in how a
// pending row is written.
class UserStoreTest : public OpenDbTest, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override
    {
        OpenDbTest::SetUp();
        Store().SetConsistent(true);
    }
    CUserBaseInfoDBStore& Store() { return GetParam() ? m_ex : m_base; }
    std::string Table() const { return GetParam() ? "UserBaseInfoEx" : "UserBaseInfo"; }
    Rows Names() { return m_plain.Rows("select Uid, Name, ExistFlag, PartialFlag from " + Table() + " order by Uid"); }
    std::list<STUserBaseInfo> All()
    {
        std::list<STUserBaseInfo> all;
        Store().GetAllUserBaseInfo(all);
        return all;
    }

    CUserBaseInfoDBStore m_base{&m_db};
    CUserPositionExInfoDBStore m_ex{&m_db};
};

INSTANTIATE_TEST_SUITE_P(Twins, UserStoreTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "UserBaseInfoEx" : "UserBaseInfo"; });

// A removal drops the pending change and deletes the row, loaded or not; a soft removal
// writes the pending change as removed.
TEST_P(UserStoreTest, RemoveAndSoftRemoveOverridePendingChanges)
{
    m_plain.Exec("insert into " + Table() + " (Uid, Name) values (2, 'never loaded')");
    Store().ModifyUserBaseInfo({User(1)});
    ASSERT_EQ(1, Store().SaveToDisk(0));
    Store().ModifyUserBaseInfo({User(1, L"Bea"), User(3)});
    EXPECT_EQ(2, Store().RemoveBaseUserInfo(1) + Store().RemoveBaseUserInfo(2));
    EXPECT_EQ(1, Store().SoftRemoveBaseUserInfo(3));
    ASSERT_EQ(1, Store().SaveToDisk(0));
    EXPECT_EQ((Rows{{"3", "Ann", "0", "0"}}), Names());
}

// User 5 is removed and written again; while its delete fails it stays readable.
TEST_P(UserStoreTest, FailedDeleteKeepsEverythingPending)
{
    m_plain.Exec("insert into " + Table() + " (Uid, Name) values (5, 'five'), (6, 'six')");
    m_plain.Refuse("delete on " + Table() + " when old.Uid = 5");
    Store().RemoveBaseUserInfo(5);
    Store().RemoveBaseUserInfo(6);
    Store().ModifyUserBaseInfo({User(5, L"Eve"), User(7)});
    EXPECT_EQ(0, Store().SaveToDisk(0));
    EXPECT_EQ((Rows{{"5", "five", "1", "0"}, {"6", "six", "1", "0"}}), Names());
    STUserBaseInfo held;
    EXPECT_EQ(1, Store().GetUserBaseInfo(5, held));
    EXPECT_EQ(L"Eve", held.Name);

    m_plain.Exec("drop trigger refuse");
    ASSERT_EQ(1, Store().SaveToDisk(0));
    EXPECT_EQ((Rows{{"5", "Eve", "1", "0"}, {"7", "Ann", "1", "0"}}), Names());
}

TEST_P(UserStoreTest, FailedCommitKeepsEverythingPending)
{
    Store().ModifyUserBaseInfo({User(1)});
    {
        FaultVfs vfs;
        m_db.Close();  // reopen through the faulty file system
        ASSERT_EQ(0, m_db.Open(DbPathW(), nullptr));
        vfs.Arm(FaultVfs::Op::Sync, 1, FaultVfs::Mode::FromThenOn);
        EXPECT_EQ(0, Store().SaveToDisk(0));
        m_db.Close();
    }
    ASSERT_EQ(0, m_db.Open(DbPathW(), nullptr));
    EXPECT_TRUE(Names().empty());
    ASSERT_EQ(1, Store().SaveToDisk(0));
    EXPECT_EQ((Rows{{"1", "Ann", "1", "0"}}), Names());

    // Nothing is left to write once a save committed.
    m_plain.Refuse("insert on " + Table());
    EXPECT_EQ(1, Store().SaveToDisk(0));
}

// Which fields each step copies: a partial row loads without its texts and Gender, a
// partial change leaves the held texts alone while its pending copy carries them and
// no PartialFlag, and the save merges that copy into memory, also after a failed save.
// A soft removal writes a held partial user with its PartialFlag; a removed user comes
// back as a full record made of its partial change.
TEST_P(UserStoreTest, PartialRecords)
{
    m_plain.Exec("insert into " + Table() + " values (1, 1000, 'kivo', 'acc', 'Ann', 0, 1, 0, '4', 3),"
                 " (2, 1000, 'kivo', 'bob', 'Bob', 0, NULL, 1, '5', 1)");
    ASSERT_EQ(1, Store().LoadFromDisk());
    const STUserBaseInfo p = All().front();
    EXPECT_TRUE(std::make_tuple(L"", L"", 1, 0u, 1, L"", 3) ==
                std::make_tuple(p.CorpAccount, p.Name, p.Gender, p.ExistFlag, p.PartialFlag, p.PositionEx, p.ActiveState));

    STUserBaseInfo change = User(2, L"Robert");
    change.PartialFlag = 1;
    change.Gender = 7;
    Store().ModifyUserBaseInfo({change});
    EXPECT_EQ(std::make_pair(std::wstring(L"Bob"), 1), std::make_pair(All().back().Name, All().back().PartialFlag));
    Store().SoftRemoveBaseUserInfo(1);
    Store().SoftRemoveBaseUserInfo(2);
    Store().RemoveBaseUserInfo(3);
    change.Uid = 3;
    Store().ModifyUserBaseInfo({change});
    m_plain.Refuse("insert on " + Table() + " when new.Uid = 3");
    EXPECT_EQ(0, Store().SaveToDisk(0));
    m_plain.Exec("drop trigger refuse");
    ASSERT_EQ(1, Store().SaveToDisk(0));
    EXPECT_EQ((Rows{{"1", "", "0", "1"}, {"2", "Robert", "0", "0"}, {"3", "Robert", "1", "0"}}), Names());
    EXPECT_EQ("7", m_plain.Value("select Gender from " + Table() + " where Uid = 2"));
    std::vector<std::wstring> held;
    for (const STUserBaseInfo& u : All()) held.push_back(u.Name);
    EXPECT_EQ((std::vector<std::wstring>{L"", L"Robert", L"Robert"}), held);
    STUserBaseInfo back;
    ASSERT_EQ(1, Store().GetUserBaseInfo(3, back));
    EXPECT_EQ(L"Robert", back.Name);  // held as a full record
}

// A file whose upgrade never added the trailing columns still loads, with defaults.
TEST_P(UserStoreTest, MissingTrailingColumnsKeepTheirDefaults)
{
    m_plain.Exec("drop table " + Table());
    m_plain.Exec("create table " + Table() + " (Uid int primary key,Cid int,CorpAccount,Account,Name,Gender)");
    m_plain.Exec("insert into " + Table() + " values (1, 1000, 'kivo', 'acc', 'Ann', 0)");
    ASSERT_EQ(1, Store().LoadFromDisk());
    const STUserBaseInfo u = All().front();
    EXPECT_TRUE(std::make_tuple(1u, 1, L"Ann") == std::make_tuple(u.ExistFlag, u.ActiveState, u.Name));
}

// The twin deletes before it inserts. Both load back every field under the one bit.
TEST_F(CStoreTest, TwinWritesAPendingUserByDeleteThenInsert)
{
    CreateSchema(DbPath());
    PlainDb plain(DbPath());
    plain.Refuse("delete on UserBaseInfoEx");
    // Uid 4000000000 as the stores write it: a signed 32-bit number.
    plain.Exec("insert into UserBaseInfo (Uid, Name) values (-294967296, 'old')");
    plain.Exec("insert into UserBaseInfoEx (Uid, Name) values (-294967296, 'old')");
    STUserBaseInfo user = User(4000000000u, L"new");
    user.PositionEx = L"12,a;7;3,b,c";
    user.Gender = 2;
    user.ActiveState = 3;
    m_store.ModifyUserBaseInfo({user});
    m_store.ModifyUserBaseInfoEx({user});
    m_store.SetDataConsistentFlag(0x4, true);
    EXPECT_EQ(0, m_store.SaveToDisk(0x4, FALSE));
    EXPECT_EQ("new old", plain.Value("select a.Name || ' ' || b.Name from UserBaseInfo a, UserBaseInfoEx b"));

    plain.Exec("drop trigger refuse");
    EXPECT_EQ(1, m_store.SaveToDisk(0x4, FALSE));
    m_store.Reset();
    ASSERT_EQ(1, m_store.LoadFromDisk(0x4));
    STUserBaseInfo base, ex;
    ASSERT_EQ(2, m_store.GetUserBaseInfo(4000000000u, base) + m_store.GetUserBaseInfoEx(4000000000u, ex));
    EXPECT_TRUE(Fields(user) == Fields(base) && Fields(user) == Fields(ex));
    std::list<int> positions;
    m_store.GetPositionExIdList(positions);
    EXPECT_EQ((std::list<int>{12, 7}), positions);
}

// Under the caller's transaction a store forgets its changes only once that one committed:
// a failure in the last store of the save leaves every table as it was.
TEST_F(CStoreTest, SharedTransactionKeepsChangesUntilItCommits)
{
    CreateSchema(DbPath());
    PlainDb plain(DbPath());
    plain.Refuse("insert on UserBaseInfoEx");  // the last store the save runs
    m_store.ModifyUserBaseInfo({User(1)});
    m_store.ModifyUserBaseInfoEx({User(2)});
    STDeptUserInfo members;
    members.Did = 1;
    members.mapUser[1] = 0;
    m_store.SaveDeptUserInfoEx(members);
    m_store.SetDataConsistentFlag(0x4 | 0x2, true);
    EXPECT_EQ(0, m_store.SaveToDisk(0x4 | 0x2, TRUE));
    EXPECT_EQ("0 0 0", plain.Counts({"UserBaseInfo", "UserBaseInfoEx", "DeptUserInfoEx"}));

    plain.Exec("drop trigger refuse");
    ASSERT_EQ(1, m_store.SaveToDisk(0x4 | 0x2, TRUE));
    EXPECT_EQ("1 1 1", plain.Counts({"UserBaseInfo", "UserBaseInfoEx", "DeptUserInfoEx"}));

    plain.Refuse("insert on UserBaseInfo");
    EXPECT_EQ(1, m_store.SaveToDisk(0x4, TRUE));
}

}  // namespace
