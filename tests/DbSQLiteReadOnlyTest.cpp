// The wrapper's read-only open and copy: a file someone only looks into stays as it was,
// to the byte, with nothing new beside it.
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "DbSQLite.h"
#include "TestDb.h"
#include "Utf8.h"

namespace {

CString Wide(const std::string& path) { return CString(FromUtf8(path)); }

}  // namespace

TEST(DbSQLiteReadOnly, RefusesAMissingFileWithoutCreatingItAndAFileThatIsNotADatabase)
{
    TempDir dir;
    CDbSQLite db;
    EXPECT_NE(db.OpenReadOnly(Wide(dir.File("absent.db"))), 0);
    EXPECT_FALSE(std::filesystem::exists(dir.File("absent.db")));

    std::ofstream(dir.File("notes.txt")) << std::string(4096, 'x');
    EXPECT_EQ(db.OpenReadOnly(Wide(dir.File("notes.txt"))), 26);
    EXPECT_FALSE(db.IsOpen());
}

// Both journal modes: a WAL file must not be converted, and must not get -wal or -shm.
TEST(DbSQLiteReadOnly, ReadsWithoutChangingTheFileOrItsFolder)
{
    for (const char* mode : {"wal", "delete"}) {
        TempDir dir;
        const std::string path = dir.File("user.db");
        {
            PlainDb plain(path);
            plain.Exec(std::string("PRAGMA journal_mode=") + mode);
            plain.Exec("create table T(a int, b text)");
            plain.Exec("insert into T values (1, 'x')");
        }
        const std::string before = ReadFile(path);
        const std::vector<std::string> entries = FolderEntries(dir.Path());

        CDbSQLite db;
        ASSERT_EQ(db.OpenReadOnly(Wide(path)), 0) << mode;
        CDbSQLite::ResultTable rows;
        EXPECT_EQ(db.SelectStatement(L"select b from T", rows), 0);
        EXPECT_EQ(rows.GetValue(0, 0).Str(), L"x");
        EXPECT_EQ(db.DirectStatement(L"insert into T values (2, 'y')"), 8) << mode;  // SQLITE_READONLY
        db.Close();

        EXPECT_EQ(ReadFile(path), before) << mode;
        EXPECT_EQ(FolderEntries(dir.Path()), entries) << mode;
    }
}

TEST(DbSQLiteReadOnly, SeesWhatARunningWriterKeepsInItsWalAndCopiesIt)
{
    TempDir dir;
    const std::string path = dir.File("user.db");
    PlainDb writer(path);
    writer.Exec("PRAGMA journal_mode=WAL");
    writer.Exec("create table T(a int)");
    writer.Exec("insert into T values (7)");
    ASSERT_TRUE(std::filesystem::exists(path + "-wal"));

    CDbSQLite db;
    ASSERT_EQ(db.OpenReadOnly(Wide(path)), 0);
    CDbSQLite::ResultTable rows;
    ASSERT_EQ(db.SelectStatement(L"select a from T", rows), 0);
    EXPECT_EQ(rows.GetValue(0, 0).Str(), L"7");

    const std::string copy = dir.File("copy.db");
    ASSERT_EQ(db.CopyTo(Wide(copy)), 0);
    db.Close();
    EXPECT_EQ(PlainDb(copy).Value("select a from T"), "7");
    EXPECT_NE(db.CopyTo(Wide(copy)), 0);  // closed: nothing to copy
}
