// Loading and saving by mask, the consistent flags, rows owed by failed immediate writes,
// and the store's lifecycle.
#include <unistd.h>

#include "FaultVfs.h"
#include "StoreTestSupport.h"

namespace {

using StoreBulkTest = CStoreTest;
using ImmediateWriteTest = CStoreTest;

// Each item's text followed by a blank.
template <typename Items, typename Text>
std::string Join(const Items& items, Text text)
{
    std::string joined;
    for (const auto& item : items) joined += text(item) + " ";
    return joined;
}

// What every store holds, as the sample families report it through IStore alone.
std::string Held(IStore& store)
{
    testing::internal::CaptureStdout();
    for (const DemoFamily& family : DemoFamilies()) family.report(store);
    return testing::internal::GetCapturedStdout();
}

}  // namespace

TEST_F(StoreBulkTest, MaskZeroAnswersByTheTransaction)
{
    EXPECT_EQ(m_store.SaveToDisk(0, TRUE), 1);   // an empty transaction commits
    EXPECT_EQ(m_store.SaveToDisk(0, FALSE), 0);  // no store saved
    EXPECT_EQ(m_store.SaveToDisk(0x2000000, FALSE), 0);  // bits above the table select nothing
}

// The corporation store runs first and refuses; the department store after it succeeds.
TEST_F(StoreBulkTest, WithoutATransactionEveryStoreThatRanMustSucceed)
{
    STDeptInfo dept;
    dept.Did = 1;
    m_store.SaveDeptInfo(dept);
    m_store.SetDataConsistentFlag(0x1, true);
    EXPECT_EQ(m_store.SaveToDisk(0x80000 | 0x1, FALSE), 0);
    EXPECT_EQ(PlainDb(DbPath()).Count("DeptInfo"), 1);
    EXPECT_EQ(m_store.SaveToDisk(0x1, FALSE), 1);
}

TEST_F(StoreBulkTest, SaveEverythingOpensTheFileFirstAndSavesTheAllSaveStores)
{
    STDeptInfo dept;
    dept.Did = 1;
    m_store.SetDataConsistentFlag(0xFFFFFFFF, true);
    m_store.SaveDeptInfo(dept);
    EXPECT_EQ(m_store.SaveToDisk(), 1);
    EXPECT_EQ(PlainDb(DbPath()).Count("DeptInfo"), 1);
    m_store.CloseDBFile();  // else the save would go on with the connection it kept
    {
        FaultVfs fullDisk;  // the save opens the file through it
        fullDisk.Arm(FaultVfs::Op::Write, 1, FaultVfs::Mode::FromThenOn);
        dept.Did = 2;
        m_store.SaveDeptInfo(dept);
        EXPECT_EQ(m_store.SaveToDisk(), 0);
    }
    EXPECT_EQ(PlainDb(DbPath()).Count("DeptInfo"), 1);
    EXPECT_EQ(m_store.SaveToDisk(), 1);  // still pending
    EXPECT_EQ(PlainDb(DbPath()).Count("DeptInfo"), 2);

    m_store.SetDBPath(CString(FromUtf8(m_dir.File("missing/dir/x.db"))));
    EXPECT_EQ(m_store.SaveToDisk(), 0);
}

// A save keeps its connection, and the WAL with it, for the next operation on the file;
// only CloseDBFile copies the WAL into the file and removes it.
TEST_F(StoreBulkTest, LoadsOpenTheFileAndLeaveItOpenSavesCloseIt)
{
    ASSERT_EQ(m_store.LoadFromDisk(), 1);
    PlainDb(DbPath()).Exec("insert into DeptInfo (Cid, Did, Name) values (1, 2, 'x')");
    ASSERT_EQ(m_store.LoadFromDisk(0x1), 1);
    EXPECT_EQ(HeldDepts(m_store).size(), 1u);
    EXPECT_EQ(m_store.SaveToDisk(0, TRUE), 1);
    EXPECT_EQ(access((DbPath() + "-wal").c_str(), F_OK), 0);
    PlainDb(DbPath()).Exec("insert into DeptInfo (Cid, Did, Name) values (1, 3, 'y')");
    EXPECT_EQ(m_store.SaveToDisk(0, TRUE), 1);  // the next operation opens it again
    ASSERT_EQ(m_store.LoadFromDisk(0x1), 1);
    EXPECT_EQ(HeldDepts(m_store).size(), 2u);  // and sees what others wrote meanwhile
    m_store.CloseDBFile();
    EXPECT_NE(access((DbPath() + "-wal").c_str(), F_OK), 0);
}

// Two held records for one row of a table: the one given last is written and the
// shared save succeeds; memory then holds what a reload finds.
TEST_F(StoreBulkTest, RepeatedKeysKeepTheLastGivenAndNeverFailASave)
{
    const struct {
        const char* name;
        unsigned mask;
        void (*give)(CStore&);
        std::string (*held)(CStore&);
        std::string expected;
    } cases[] = {
        {"group-chat ids, in order and sign", 0x10000,
         [](CStore& s) { s.SetUserQGroupList({2147483647, 3, -2147483647 - 1, -7, 4, 3}); },
         [](CStore& s) {
             std::list<int> ids;
             s.GetUserQGroupList(ids);
             return Join(ids, [](int id) { return std::to_string(id); });
         },
         "2147483647 -2147483648 -7 4 3 "},
        {"display ids", 0x40000,
         [](CStore& s) {
             STSessionDisplayId a{2, 20}, b{3, 30};
             s.SaveUpdateSessionList({&a, &b, &a});
         },
         [](CStore& s) {
             std::list<STSessionDisplayId*> pairs;
             s.GetUpdateSessionList(pairs);
             return Join(pairs, [](const STSessionDisplayId* p) { return std::to_string(p->DisplayId); });
         },
         "30 20 "},
        {"contacts sharing a uid", 0x400000,
         [](CStore& s) {
             STContactInfo first, second, last;
             first.uid = second.uid = last.uid = 5;
             first.name = L"first";
             second.name = L"second";
             last.name = L"last";
             s.SaveContactList({{1, first}, {2, second}}, false);
             s.AddContact(last, false);
             s.SetDataConsistentFlag(0x400000, true);  // the only one of these stores with a flag
         },
         [](CStore& s) {
             std::map<ULONG, STContactInfo> contacts;
             s.GetContactList(contacts, false);
             return Join(contacts, [](const auto& c) { return std::to_string(c.first) + ToUtf8(c.second.name); });
         },
         "5last "},
        {"shared files of two groups naming one row", 0x100,
         [](CStore& s) {
             STQGroupShareFile first{}, last{};
             first.QGroupId = last.QGroupId = 8;
             first.ClientFileId = last.ClientFileId = 1;
             first.FileName = L"first";
             last.FileName = L"last";
             s.SetQGroupShareFiles(8, {&first});
             s.SetQGroupShareFiles(9, {&last});
         },
         [](CStore& s) {
             std::list<STQGroupShareFile*> files;
             for (unsigned group : {8u, 9u}) s.GetQGroupShareFiles(group, files);
             return Join(files, [](const STQGroupShareFile* f) { return ToUtf8(f->FileName); });
         },
         "last "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_log.Clear();
        StoreOn store(DbPathW());
        c.give(store);
        EXPECT_EQ(store.SaveToDisk(c.mask, TRUE), 1);
        EXPECT_EQ(c.held(store), c.expected);
        EXPECT_TRUE(m_log.AnyContains(L"dropped"));
        StoreOn reloaded(DbPathW());
        ASSERT_EQ(reloaded.LoadFromDisk(c.mask), 1);
        EXPECT_EQ(c.held(reloaded), c.expected);
    }
}

// A row written at once that fails (a full disk) stays held through a load and goes in
// with the next save, whichever.
TEST_F(ImmediateWriteTest, FailedImmediateWritesSurviveALoadAndLandWithTheNextSave)
{
    const struct {
        const char* name;
        void (*write)(CStore&);
        bool (*held)(CStore&);
        const char* query;
        const char* landed;
    } cases[] = {
        {"contact added", [](CStore& s) { STContactInfo c; c.uid = 8; s.AddContact(c, false); },
         [](CStore& s) { return s.IsContactExist(8, false) == 1; }, "select count(*) from ContactListInfo where uid=8", "1"},
        {"contact changed", [](CStore& s) { STContactInfo c; c.uid = 7; c.name = L"new"; s.ModifyContact(7, c, true); },
         [](CStore& s) { STContactInfo c; s.GetContact(7, c, true); return c.name == L"new"; },
         "select instr(contactinfo, 'new') > 0 from StrangerContactListInfo where uid=7", "1"},
        {"contact removed", [](CStore& s) { s.DelContact(7, false); },
         [](CStore& s) { return s.IsContactExist(7, false) == 0; }, "select count(*) from ContactListInfo where uid=7", "0"},
        {"recent added", [](CStore& s) { s.UpdateRecentContactor(9, 1, 200); },
         [](CStore& s) { std::list<STRecentContactor> r; s.GetRecentContactors(r); return r.size() == 2; },
         "select count(*) from RecentContact where recentId=9", "1"},
        {"recent removed", [](CStore& s) { s.DeleteRecentContactor(7, 1); },
         [](CStore& s) { std::list<STRecentContactor> r; s.GetRecentContactors(r); return r.empty(); },
         "select count(*) from RecentContact where recentId=7", "0"},
    };
    bool slot39 = true;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        StoreOn store(DbPathW());
        STContactInfo seven;
        seven.uid = 7;
        store.AddContact(seven, false);
        store.AddContact(seven, true);
        store.UpdateRecentContactor(7, 1, 100);
        store.CloseDBFile();
        {
            FaultVfs fullDisk;  // the write opens the file through it
            fullDisk.Arm(FaultVfs::Op::Write, 1, FaultVfs::Mode::FromThenOn);
            c.write(store);
            store.CloseDBFile();
        }
        ASSERT_NE(PlainDb(DbPath()).Value(c.query), c.landed);
        ASSERT_EQ(store.LoadFromDisk(), 1);
        EXPECT_TRUE(c.held(store));
        store.SetDataConsistentFlag(AllBits(), true);
        EXPECT_EQ(slot39 ? store.SaveToDisk() : store.SaveToDisk(0x1, TRUE), 1);
        EXPECT_EQ(PlainDb(DbPath()).Value(c.query), c.landed);
        slot39 = !slot39;
        PlainDb(DbPath()).Exec("delete from ContactListInfo; delete from StrangerContactListInfo; delete from RecentContact");
    }
}

// A row owed to one account's file that cannot go there is dropped at the switch, never
// written into, nor loaded from, the next account's file.
TEST_F(ImmediateWriteTest, RowsOwedToOneFileNeverReachTheNext)
{
    STContactInfo contact;
    contact.uid = 8;
    CreateSchema(DbPath());
    PlainDb(DbPath()).Refuse("insert on ContactListInfo");
    m_store.AddContact(contact, false);
    const std::string next = m_dir.File("next.db");
    m_store.SetDBPath(CString(FromUtf8(next)));
    ASSERT_EQ(m_store.LoadFromDisk(), 1);
    EXPECT_EQ(m_store.IsContactExist(8, false), 0);
    EXPECT_EQ(m_store.SaveToDisk(0, TRUE), 1);
    EXPECT_EQ(PlainDb(next).Count("ContactListInfo"), 0);
}

TEST_F(StoreBulkTest, ResetEmptiesEveryStoreAndKeepsThePath)
{
    StoreOn untouched(m_dir.File("untouched.db"));  // on a file of its own: the report opens the file
    const std::string empty = Held(untouched);
    IStore& store = m_store;
    ASSERT_EQ(LoadAndFill(m_store, DbPath(), 500), 1);
    ASSERT_EQ(store.SaveToDisk(AllBits(), TRUE), 1);
    const std::string filled = Held(store);
    EXPECT_NE(filled, empty);

    EXPECT_EQ(store.Reset(), 1);
    EXPECT_EQ(Held(store), empty);
    EXPECT_EQ(store.SaveToDisk(0x1, FALSE), 0);  // the consistent flags start false again

    ASSERT_EQ(store.LoadFromDisk(), 1);  // the same file, by the kept path
    EXPECT_EQ(Held(store), filled);
}
