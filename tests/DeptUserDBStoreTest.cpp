#include "DeptUserDBStore.h"
#include "StoreTestSupport.h"

namespace {

using Store = CDeptUserDBStore;
constexpr DeptUserSet kBase = DeptUserSet::Base;

using Members = STDeptUserInfo;

class DeptUserDBStoreTest : public StoreTest {
protected:
    void Open()
    {
        ASSERT_EQ(0, m_db.Open(DbPathW(), nullptr));
        m_store.SetConsistent(true);
    }

    CDbSQLite m_db;
    CDeptUserDBStore m_store{&m_db};
    PlainDb m_plain{DbPath()};
};

// Department 5 starts as rows (5,1,2) and (5,2,0) loaded from the table.
TEST_F(DeptUserDBStoreTest, SequencesBeforeASave)
{
    const struct {
        const char* name;
        void (*change)(Store&);
        Rows rows;
        bool held;
    } cases[] = {
        {"remove then new list",
         [](Store& s) { s.RemoveDeptUserInfo(kBase, 5); s.SaveDeptUserInfo(kBase, Members{5, {{3, 0}}}); },
         {{"5", "3", "0"}}, true},
        {"new list then remove",
         [](Store& s) { s.SaveDeptUserInfo(kBase, Members{5, {{3, 0}}}); s.RemoveDeptUserInfo(kBase, 5); }, {}, false},
        {"empty list", [](Store& s) { s.SaveDeptUserInfo(kBase, Members{5, {}}); }, {}, true},
        {"two lists",
         [](Store& s) {
             s.SaveDeptUserInfo(kBase, Members{5, {{7, 0}}});
             s.SaveDeptUserInfo(kBase, Members{5, {{8, 9}, {9, 0}}});
         },
         {{"5", "8", "9"}, {"5", "9", "0"}}, true},
    };
    CreateSchema(DbPath());
    Open();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_plain.Exec("delete from DeptUserInfo");
        m_plain.Exec("insert into DeptUserInfo values (5, 1, 2), (5, 2, 0), (6, 1, 0)");
        ASSERT_EQ(1, m_store.LoadFromDisk(kBase));
        c.change(m_store);
        ASSERT_EQ(1, m_store.SaveToDisk(kBase, 0));
        EXPECT_EQ(c.rows, m_plain.Rows("select Did, Uid, NextSiblingUid from DeptUserInfo where Did = 5"));
        EXPECT_EQ(1, m_plain.Count("DeptUserInfo where Did = 6"));
        STDeptUserInfo out;
        EXPECT_EQ(c.held ? 1 : 0, m_store.LoadDeptUserInfo(kBase, 5, out));
    }
}

// Deferred foreign keys let each statement pass and make only the commit fail.
TEST_F(DeptUserDBStoreTest, FailedCommitFailsTheSaveAndKeepsThatPhase)
{
    m_plain.Exec("create table Users (id int primary key)");
    m_plain.Exec("create table DeptUserInfo (Did int, Uid int, NextSiblingUid int, primary key(Did,Uid), "
                 "foreign key(Uid) references Users(id) deferrable initially deferred)");
    m_plain.Exec("create table Refs (Did int, Uid int, "
                 "foreign key(Did, Uid) references DeptUserInfo(Did, Uid) deferrable initially deferred)");
    Open();
    ASSERT_EQ(101, m_db.DirectStatement(L"PRAGMA foreign_keys=ON"));

    m_store.SaveDeptUserInfo(kBase, Members{1, {{99, 0}}});
    EXPECT_EQ(0, m_store.SaveToDisk(kBase, 0));
    m_plain.Exec("insert into Users values (99)");
    ASSERT_EQ(1, m_store.SaveToDisk(kBase, 0));
    EXPECT_EQ((Rows{{"1", "99", "0"}}), m_plain.Rows("select * from DeptUserInfo"));

    m_plain.Exec("insert into Refs values (1, 99)");
    m_store.RemoveDeptUserInfo(kBase, 1);
    EXPECT_EQ(0, m_store.SaveToDisk(kBase, 0));
    EXPECT_EQ(1, m_plain.Count("DeptUserInfo"));
    m_plain.Exec("delete from Refs");
    ASSERT_EQ(1, m_store.SaveToDisk(kBase, 0));
    EXPECT_EQ(0, m_plain.Count("DeptUserInfo"));
}

// Slots 101 to 104 work on DeptUserInfoEx alone; 12 and 103 do nothing.
TEST_F(DeptUserDBStoreTest, SlotsOfTheSecondSetReachOnlyDeptUserInfoEx)
{
    StoreOn store(DbPathW());
    store.SaveDeptUserInfo(Members{3, {{1, 2}, {2, 0}}});
    store.SaveDeptUserInfoEx(Members{3, {{4, 0}}});
    EXPECT_EQ(2, store.DeptUserNoOp(3) + store.DeptUserNoOpEx(3));
    EXPECT_EQ(0, store.SaveToDisk(0x2, FALSE));  // the one flag is still false
    EXPECT_EQ("0 0", m_plain.Counts({"DeptUserInfo", "DeptUserInfoEx"}));

    store.SetDataConsistentFlag(0x2, true);
    ASSERT_EQ(1, store.SaveToDisk(0x2, TRUE));
    EXPECT_EQ((Rows{{"3", "4", "0"}}), m_plain.Rows("select * from DeptUserInfoEx"));
    EXPECT_EQ(1, store.RemoveDeptUserInfoEx(3));
    ASSERT_EQ(1, store.SaveToDisk(0x2, TRUE));
    EXPECT_EQ("2 0", m_plain.Counts({"DeptUserInfo", "DeptUserInfoEx"}));

    store.SaveDeptUserInfoEx(Members{3, {{5, 0}}});
    ASSERT_EQ(1, store.SaveToDisk(0x2, TRUE));
    store.Reset();
    ASSERT_EQ(1, store.LoadFromDisk(0x2));
    STDeptUserInfo base, ex;
    ASSERT_EQ(2, store.LoadDeptUserInfo(3, base) + store.LoadDeptUserInfoEx(3, ex));
    EXPECT_EQ((std::map<ULONG, ULONG>{{1, 2}, {2, 0}}), base.mapUser);
    EXPECT_EQ((std::map<ULONG, ULONG>{{5, 0}}), ex.mapUser);
}

}  // namespace
