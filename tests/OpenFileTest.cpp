// Which file the store writes: the file its path names now, whatever became of the file it
// had open (an account switch, a masked save's close, a removal, a rename, a link).
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "StoreTestSupport.h"

namespace {

STContactInfo ContactInfo(ULONG uid, const std::wstring& name = L"")
{
    STContactInfo contact;
    contact.uid = uid;
    contact.name = name;
    return contact;
}

// What every account file starts with: recent contact 6 and stranger 10.
void Seed(const std::string& path)
{
    StoreOn seed(path);
    ASSERT_EQ(1, seed.LoadFromDisk());
    seed.UpdateRecentContactor(6, 1, 1);
    seed.AddContact(ContactInfo(10), true);
}  // the close leaves one file, nothing beside it

struct WriteCase {
    const char* name;
    void (*write)(CStore&);
    const char* query;
    const char* written;  // what the query reads in the file written to
    const char* seeded;   // and in a file left alone
} const kWrites[] = {
    {"recent contact", [](CStore& s) { s.UpdateRecentContactor(5, 1, 100); },
     "select count(*) from RecentContact where recentId=5", "1", "0"},
    {"recent contact deleted", [](CStore& s) { s.DeleteRecentContactor(6, 1); },
     "select count(*) from RecentContact where recentId=6", "0", "1"},
    {"contact", [](CStore& s) { s.AddContact(ContactInfo(9), false); },
     "select count(*) from ContactListInfo where uid=9", "1", "0"},
    {"stranger modified", [](CStore& s) { s.ModifyContact(10, ContactInfo(10, L"renamed"), true); },
     "select count(*) from StrangerContactListInfo where contactinfo like '%renamed%'", "1", "0"},
    {"stranger removed", [](CStore& s) { s.DelContact(10, true); },
     "select count(*) from StrangerContactListInfo where uid=10", "0", "1"},
    {"last live time", [](CStore& s) { unsigned t = 77; s.SetLastLiveTime(&t, true); },
     "select count(*) from Fast_Login_Data where LastLiveTime=77", "1", "0"},
    {"session id", [](CStore& s) { s.SetFastLoginSessionId(L"token", true); },
     "select count(*) from Fast_Login_Data where SessionId='token'", "1", "0"},
};

using OpenFileTest = StoreTest;

// Account A was loaded, then the client switched to B (with or without a load of B), or
// a masked save on B closed the file: every row written at once lands in B, none in A.
TEST_F(OpenFileTest, RowsWrittenAtOnceReachTheFileOfTheCurrentPathOnly)
{
    enum Before { kSavedAndClosed, kSwitched, kSwitchedAndLoaded };
    const std::string seeded = m_dir.File("seeded.db");
    Seed(seeded);
    int round = 0;
    for (const WriteCase& c : kWrites) {
        for (Before before : {kSavedAndClosed, kSwitched, kSwitchedAndLoaded}) {
            SCOPED_TRACE(std::string(c.name) + " after case " + std::to_string(before));
            const std::string a = m_dir.File(std::to_string(round) + "a.db");
            const std::string b = m_dir.File(std::to_string(round++) + "b.db");
            for (const std::string& file : {a, b}) std::filesystem::copy_file(seeded, file);
            StoreOn store(before == kSavedAndClosed ? b : a);
            ASSERT_EQ(1, store.LoadFromDisk());
            if (before == kSavedAndClosed) {
                ASSERT_EQ(1, store.SaveToDisk(0, TRUE));
            } else {
                store.SetDBPath(CString(FromUtf8(b)));
            }
            if (before == kSwitchedAndLoaded) {
                ASSERT_EQ(1, store.LoadFromDisk(0x80));
            }
            c.write(store);
            store.CloseDBFile();
            EXPECT_EQ(c.written, PlainDb(b).Value(c.query));
            EXPECT_EQ(c.seeded, PlainDb(a).Value(c.query));
        }
    }
}

TEST_F(OpenFileTest, IsContactListStoredAsksTheFileOfTheCurrentPath)
{
    StoreOn store(DbPath());
    ASSERT_EQ(1, store.LoadFromDisk());
    store.AddContact(ContactInfo(1), false);
    ASSERT_EQ(1, store.IsContactListStored());
    store.SetDBPath(CString(FromUtf8(m_dir.File("other.db"))));
    EXPECT_EQ(0, store.IsContactListStored());
}

// The user deletes the profile folder, or a sync tool moves the file away or puts another
// in its place, while the store has it open: the next save writes into the file at the path.
TEST_F(OpenFileTest, AFileRemovedOrReplacedWhileOpenIsOpenedAgainAtThePath)
{
    const std::string path = DbPath();
    const struct {
        const char* name;
        void (*change)(const std::string& path, const std::string& aside);
    } cases[] = {
        {"removed", [](const std::string& p, const std::string&) {
             for (const char* suffix : {"", "-wal", "-shm"}) std::remove((p + suffix).c_str());
         }},
        {"renamed", [](const std::string& p, const std::string& aside) { std::rename(p.c_str(), aside.c_str()); }},
        {"replaced", [](const std::string& p, const std::string& aside) {
             PlainDb(aside).Exec("create table Other(x)");
             std::rename(aside.c_str(), p.c_str());
         }},
    };
    for (const auto& c : cases) {
      for (bool afterSave : {false, true}) {
        SCOPED_TRACE(std::string(c.name) + (afterSave ? " after a save kept the connection" : " while open"));
        const std::string aside = m_dir.File(std::string(c.name) + ".aside");
        std::remove(aside.c_str());
        std::remove(path.c_str());
        StoreOn store(path);
        ASSERT_EQ(1, store.LoadFromDisk());
        if (afterSave) {
            ASSERT_EQ(1, store.SaveToDisk(0, TRUE));
        }
        c.change(path, aside);
        STDeptInfo dept;
        dept.Did = 4;
        store.SaveDeptInfo(dept);
        store.SetDataConsistentFlag(0x1, true);
        EXPECT_EQ(1, store.SaveToDisk(0x1, TRUE));
        store.AddContact(ContactInfo(9), false);
        store.CloseDBFile();
        PlainDb file(path);
        EXPECT_EQ("1 1", file.Counts({"DeptInfo", "ContactListInfo"}));
        // Still the file put there: nothing of the previous file's WAL was laid over it, and
        // the previous file moved aside holds what its WAL held.
        EXPECT_EQ(std::string(c.name) == "replaced" ? "1" : "0",
                  file.Value("select count(*) from sqlite_master where name='Other'"));
        EXPECT_EQ("ok", file.Value("PRAGMA integrity_check"));
        if (std::string(c.name) == "renamed") {
            EXPECT_EQ("0", PlainDb(aside).Value("select count(*) from DeptInfo"));
        }
      }
    }
}

// Two spellings of one file, or a link to it, are one file: the connection (and what lives
// only in it, a temporary table) is kept.
TEST_F(OpenFileTest, TheWrapperKeepsItsConnectionForTheSameFileByIdentity)
{
    const std::string link = m_dir.File("link.db");
    ASSERT_EQ(0, symlink(DbPath().c_str(), link.c_str()));
    CDbSQLite db;
    ASSERT_EQ(0, db.Open(DbPathW(), nullptr));
    ASSERT_EQ(101, db.DirectStatement(L"create temp table only_here(x)"));
    for (const std::string& name : {link, m_dir.Path() + "/./store.db", m_dir.Path() + "//store.db"}) {
        EXPECT_TRUE(db.IsOpenFile(CString(FromUtf8(name)))) << name;
        ASSERT_EQ(0, db.Open(CString(FromUtf8(name)), nullptr));
        CDbSQLite::ResultTable rows;
        EXPECT_EQ(0, db.SelectStatement(L"select * from temp.only_here", rows)) << name;
    }
}

// The connection a save keeps (and what lives only in it, a temporary table) is taken up by
// the next Open of the same file. Kept no longer, or never kept, it leaves no WAL behind.
TEST_F(OpenFileTest, AParkedConnectionServesOnlyTheNextOpenOfItsFile)
{
    const std::string other = m_dir.File("other.db");
    const struct {
        const char* name;
        bool largeWal;
        void (*between)(CDbSQLite& db, const std::string& other);
        bool kept;
    } cases[] = {
        {"nothing between", false, [](CDbSQLite&, const std::string&) {}, true},
        {"another file opened", false,
         [](CDbSQLite& db, const std::string& o) { EXPECT_EQ(0, db.Open(CString(FromUtf8(o)), nullptr)); }, false},
        {"closed", false, [](CDbSQLite& db, const std::string&) { db.Close(); }, false},
        {"a large WAL", true, [](CDbSQLite&, const std::string&) {}, false},
    };
    const std::string wal = DbPath() + "-wal";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CDbSQLite db;
        ASSERT_EQ(0, db.Open(DbPathW(), nullptr));
        ASSERT_EQ(101, db.DirectStatement(L"create temp table only_here(x)"));
        ASSERT_EQ(101, db.DirectStatement(L"create table if not exists Big(x)"));
        if (c.largeWal) {
            ASSERT_EQ(101, db.DirectStatement(L"with recursive n(i) as (select 1 union all select i + 1 from n "
                                              L"where i < 5000) insert into Big select randomblob(4000) from n"));
        }
        db.Park();
        EXPECT_FALSE(db.IsOpen());
        c.between(db, other);
        EXPECT_EQ(c.kept, access(wal.c_str(), F_OK) == 0);
        ASSERT_EQ(0, db.Open(DbPathW(), nullptr));
        CDbSQLite::ResultTable rows;
        EXPECT_EQ(c.kept, db.SelectStatement(L"select * from temp.only_here", rows) == 0);
        db.Close();
        EXPECT_NE(0, access(wal.c_str(), F_OK));
    }
}

}  // namespace
