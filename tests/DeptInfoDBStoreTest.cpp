// The department store, through the interface of a CStore on a real file.
#include "FaultVfs.h"
#include "StoreTestSupport.h"

namespace {

const unsigned kMask = 0x1;

using Names = std::map<std::string, std::string>;

// Every field set.
STDeptInfo Dept(ULONG did, const std::wstring& name, LONG partial = 0)
{
    return {10, did, did / 2, name, L"desp " + name, did * 3, L"fax", L"1,2", 7, 8, L"addr", L"tel", L"web",
            500 + did, partial};
}

class DeptInfoDBStoreTest : public CStoreTest {
protected:
    void SetUp() override
    {
        CStoreTest::SetUp();
        ASSERT_EQ(m_store.LoadFromDisk(kMask), 1);
        m_store.SetDataConsistentFlag(kMask, true);
    }
    // Did -> Name as the table holds it.
    Names Table()
    {
        Names rows;
        for (auto& row : PlainDb(DbPath()).Rows("select Did, Name from DeptInfo")) rows[row[0]] = row[1];
        return rows;
    }
};

}  // namespace

// From departments 1 and 2 on file, in either transaction mode: a delete per removal and a
// delete and insert per change, nothing left pending after the save.
TEST_F(DeptInfoDBStoreTest, PendingSequencesEndAsTheLastCallSays)
{
    const struct {
        const char* name;
        void (*calls)(CStore&);
        Names expected;
    } cases[] = {
        {"one removed, the other changed",
         [](CStore& s) { s.RemoveDeptInfo(0, 1); s.SaveDeptInfo(Dept(2, L"O'Neil \U0001F600")); },
         {{"2", "O'Neil \xf0\x9f\x98\x80"}}},
        {"changed then removed: only deleted",
         [](CStore& s) { s.SaveDeptInfo(Dept(1, L"x")); s.RemoveDeptInfo(0, 1); }, {{"2", "two"}}},
        {"removed then saved again: present",
         [](CStore& s) { s.RemoveDeptInfo(0, 1); s.SaveDeptInfo(Dept(1, L"back")); }, {{"1", "back"}, {"2", "two"}}},
        {"saved twice: the latest record is written",
         [](CStore& s) { s.SaveDeptInfo(Dept(1, L"first")); s.SaveDeptInfo(Dept(1, L"second")); },
         {{"1", "second"}, {"2", "two"}}},
    };
    for (int inTransaction : {0, 1}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (inTransaction ? ", shared transaction" : ", own transaction"));
            m_store.SaveDeptInfo(Dept(1, L"one"));
            m_store.SaveDeptInfo(Dept(2, L"two"));
            ASSERT_EQ(m_store.SaveToDisk(kMask, inTransaction), 1);
            c.calls(m_store);
            ASSERT_EQ(m_store.SaveToDisk(kMask, inTransaction), 1);
            EXPECT_EQ(Table(), c.expected);
            PlainDb(DbPath()).Exec("delete from DeptInfo");
            ASSERT_EQ(m_store.SaveToDisk(kMask, inTransaction), 1);
            EXPECT_TRUE(Table().empty());
        }
    }
}

// Saved only once flagged consistent; a load reads every column, partial rows without their
// texts; reads append copies.
TEST_F(DeptInfoDBStoreTest, PartialDepartmentsKeepNoTexts)
{
    const STDeptInfo full = Dept(4000000000u, L"big");
    m_store.SaveDeptInfo(full);
    m_store.SaveDeptInfo(Dept(1, L"full"));
    m_store.SaveDeptInfo(Dept(1, L"ignored", 1));  // a held department becomes partial
    const auto partial = HeldDepts(m_store).front();
    EXPECT_EQ(std::make_tuple(std::wstring(), 1), std::tie(partial->Desp, partial->PartialFlag));
    m_store.SetDataConsistentFlag(kMask, false);
    EXPECT_EQ(m_store.SaveToDisk(kMask, FALSE), 0);
    EXPECT_TRUE(Table().empty());
    m_store.SetDataConsistentFlag(kMask, true);
    ASSERT_EQ(m_store.SaveToDisk(kMask, FALSE), 1);

    PlainDb(DbPath()).Exec("update DeptInfo set Name = 'in table', PartialFlag = 3 where Did = 1");
    m_store.Reset();
    ASSERT_EQ(m_store.LoadFromDisk(kMask), 1);
    auto loaded = HeldDepts(m_store);
    ASSERT_EQ(loaded.size(), 2u);
    const auto fields = [](const STDeptInfo& d) {
        return std::tie(d.Cid, d.Did, d.PDid, d.UC, d.FirstChild, d.NextSibling, d.FirstChildUser, d.Name, d.Desp,
                        d.Fax, d.HideDeptList, d.Addr, d.Tel, d.Website, d.PartialFlag);
    };
    EXPECT_TRUE(fields(*loaded.back()) == fields(full));
    EXPECT_EQ(std::make_tuple(std::wstring(), 3), std::tie(loaded.front()->Name, loaded.front()->PartialFlag));
    loaded.back()->Name = L"changed by the client";
    m_store.LoadDeptInfo(0, loaded);
    ASSERT_EQ(loaded.size(), 4u);
    EXPECT_EQ(loaded.back()->Name, L"big");
}

TEST_F(DeptInfoDBStoreTest, AFailedInsertWritesNothingAndKeepsEverythingPending)
{
    m_store.SaveDeptInfo(Dept(1, L"one"));
    ASSERT_EQ(m_store.SaveToDisk(kMask, TRUE), 1);
    PlainDb(DbPath()).Refuse("insert on DeptInfo when new.Did = 3");
    m_store.SaveDeptInfo(Dept(1, L"one changed"));
    m_store.SaveDeptInfo(Dept(3, L"three"));
    for (int inTransaction : {0, 1}) {
        EXPECT_EQ(m_store.SaveToDisk(kMask, inTransaction), 0);
        EXPECT_EQ(Table(), (Names{{"1", "one"}}));  // not half written
    }
    PlainDb(DbPath()).Exec("drop trigger refuse");
    EXPECT_EQ(m_store.SaveToDisk(kMask, TRUE), 1);
    EXPECT_EQ(Table(), (Names{{"1", "one changed"}, {"3", "three"}}));
}

TEST_F(DeptInfoDBStoreTest, AFailedCommitReturnsZeroAndKeepsBothPendingMaps)
{
    m_store.SaveDeptInfo(Dept(1, L"one"));
    m_store.SaveDeptInfo(Dept(2, L"two"));
    ASSERT_EQ(m_store.SaveToDisk(kMask, FALSE), 1);
    m_store.SaveDeptInfo(Dept(1, L"one changed"));
    m_store.RemoveDeptInfo(0, 2);
    {
        FaultVfs vfs;
        m_store.CloseDBFile();  // reopen through the faulty file system
        vfs.Arm(FaultVfs::Op::Sync, 1, FaultVfs::Mode::FromThenOn);
        EXPECT_EQ(m_store.SaveToDisk(kMask, FALSE), 0);
        EXPECT_TRUE(vfs.Fired());
    }
    EXPECT_EQ(Table(), (Names{{"1", "one"}, {"2", "two"}}));
    EXPECT_EQ(m_store.SaveToDisk(kMask, FALSE), 1);
    EXPECT_EQ(Table(), (Names{{"1", "one changed"}}));
}
