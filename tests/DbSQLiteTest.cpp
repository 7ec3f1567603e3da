// The database wrapper against real files: open rules, one statement per call, the
// transaction rules that keep a half-done rewrite from ever being committed, and the
// read-only open that leaves a file as it was.
#include <fstream>

#include "DbSQLite.h"
#include "FaultVfs.h"
#include "TestDb.h"
#include "Utf8.h"
#include "WideConv.h"

namespace {

CString Wide(const std::string& path) { return CString(FromUtf8(path)); }

class DbSQLiteTest : public StoreTest {
protected:
    void SetUp() override
    {
        ASSERT_EQ(m_db.Open(DbPathW(), nullptr), 0);
        ASSERT_EQ(m_db.DirectStatement(L"create table T(a int primary key, b varchar(10))"), 101);
    }
    ::Rows Rows() { return PlainDb(DbPath()).Rows("select a, b from T order by a"); }
    LONG Exec(const wchar_t* sql) { return m_db.ExecInTransaction(sql); }
    // One statement in a transaction of its own: the statement's code if it failed, else the commit's.
    LONG Commit(const wchar_t* sql)
    {
        m_db.BeginTransaction();
        const LONG code = Exec(sql);
        const LONG commit = m_db.CommitTransaction();
        return code != 0 ? code : commit;
    }

    CDbSQLite m_db;
};

}  // namespace

TEST_F(DbSQLiteTest, OpenRefusesAFileThatIsNotADatabaseAndKeepsTheConnectionToTheSamePath)
{
    m_db.BeginTransaction();
    EXPECT_EQ(m_db.Open(DbPathW(), nullptr), 0);  // the open transaction lives on
    EXPECT_EQ(Exec(L"insert into T values (1, 'x')"), 0);
    EXPECT_EQ(m_db.CommitTransaction(), 0);
    EXPECT_EQ(Rows().size(), 1u);
    EXPECT_EQ(PlainDb(DbPath()).Value("PRAGMA journal_mode"), "wal");

    const std::string junk = m_dir.File("junk.db");
    std::ofstream(junk) << std::string(4096, 'x');
    CDbSQLite db;
    EXPECT_EQ(db.Open(Wide(junk), nullptr), 26);
    EXPECT_FALSE(db.IsOpen());
    EXPECT_EQ(db.Open(L"", nullptr), 14);
}

// Integer cells are written by the wrapper itself, and a Row reads numbers without any
// text: every kind of cell must still read as SQLite's own text (UTF-8 on the file), as
// _wtol of it, and as empty text when NULL or past the end of the row.
TEST_F(DbSQLiteTest, EveryKindOfCellReadsTheSameThroughTheTableAndTheRow)
{
    ASSERT_EQ(m_db.DirectStatement(L"create table C(v)"), 101);
    const std::wstring values[] = {L"0", L"-1", L"7", L"9223372036854775807", L"-9223372036854775808",
                                   L"4294967295", L"-2147483648", L"3000000005", L"12.5", L"-7.9", L"1e300",
                                   L"'007'", L"' 12 '", L"'-5abc'", L"''", L"x'3432'", L"x''", L"NULL",
                                   L"18446744073709551616", L"'it''s \u4e2d\u6587 \U0001F600'",
                                   L"'" + std::wstring(20000, L'\u00e9') + L"'"};
    for (const std::wstring& value : values) {
        ASSERT_EQ(m_db.DirectStatement((L"insert into C values (" + value + L")").c_str()), 101) << ToUtf8(value);
    }
    const auto expected = PlainDb(DbPath()).Rows("select v from C order by rowid");
    CDbSQLite::ResultTable table;
    table.m_Records.push_back({L"stale"});  // replaced, not appended to
    ASSERT_EQ(m_db.SelectStatement(L"select v from C order by rowid", table), 0);
    ASSERT_EQ(table.GetRowCount(), expected.size());
    EXPECT_EQ(table.GetValue(expected.size(), 0).Str(), L"");
    size_t row = 0;
    ASSERT_EQ(m_db.SelectEachRow(L"select v from C order by rowid", [&](const CDbSQLite::Row& cells) {
        const CString& text = table.GetValue(row, 0);
        const std::string value = ToUtf8(values[row]);
        EXPECT_EQ(ToUtf8(text.Str()), expected[row][0]) << value;
        EXPECT_EQ(cells.GetText(0), text.Str()) << value;
        EXPECT_EQ(cells.GetLong(0), _wtol(text)) << value;
        EXPECT_EQ(cells.IsEmpty(0), text.IsEmpty()) << value;
        EXPECT_EQ(table.GetValue(row, 1).Str(), L"");
        EXPECT_EQ(cells.GetText(1), L"");
        EXPECT_EQ(cells.GetLong(1), 0);
        ++row;
    }), 0);
    EXPECT_EQ(row, expected.size());
}

TEST_F(DbSQLiteTest, RefusesMoreThanOneStatementPerCall)
{
    EXPECT_NE(m_db.DirectStatement(L"insert into T values (1, 'a'); drop table T"), 101);
    EXPECT_NE(Exec(L"insert into T values (2, 'b');insert into T values (3, 'c')"), 0);
    EXPECT_EQ(m_db.DirectStatement(L"insert into T values (4, 'd');  "), 101);  // a trailing ';' is one
    EXPECT_EQ(Rows().size(), 1u);
}

TEST_F(DbSQLiteTest, NestedTransactionsCommitOnlyAtTheOutermost)
{
    m_db.BeginTransaction();
    m_db.BeginTransaction();
    EXPECT_EQ(Exec(L"insert into T values (1, 'a')"), 0);
    EXPECT_EQ(m_db.CommitTransaction(), 0);
    EXPECT_TRUE(Rows().empty());  // still inside the outer transaction
    EXPECT_EQ(m_db.CommitTransaction(), 0);
    EXPECT_EQ(Rows().size(), 1u);
}

// A trigger refuses row 2 inside a nested transaction.
TEST_F(DbSQLiteTest, AFailedStatementRollsBackTheWholeTransaction)
{
    PlainDb(DbPath()).Refuse("insert on T when new.a = 2");
    m_db.BeginTransaction();
    m_db.BeginTransaction();
    EXPECT_EQ(Exec(L"insert into T values (1, 'a')"), 0);
    EXPECT_EQ(Exec(L"insert into T values (2, 'b')"), 19);
    EXPECT_EQ(Exec(L"insert into T values (3, 'c')"), 4);  // refused, not run
    EXPECT_NE(std::wstring(m_db.LastError()).find(L"refused"), std::wstring::npos);
    EXPECT_NE(m_db.CommitTransaction(), 0);  // the inner commit reports the failure too
    EXPECT_NE(m_db.CommitTransaction(), 0);
    EXPECT_NE(m_db.CommitTransaction(), 0);  // nothing open any more
    EXPECT_TRUE(Rows().empty());
}

// Its owner gave up without committing: reads and rows written at once still run, and the
// next transaction starts clean, without the abandoned insert.
TEST_F(DbSQLiteTest, AnAbandonedTransactionBlocksOnlyItsOwnWrites)
{
    m_db.BeginTransaction();
    EXPECT_EQ(Exec(L"insert into T values (1, 'a')"), 0);
    EXPECT_NE(Exec(L"insert into T values (1, 'dup')"), 0);
    CDbSQLite::ResultTable table;
    EXPECT_EQ(m_db.SelectStatement(L"select * from T", table), 0);
    EXPECT_EQ(m_db.DirectStatement(L"replace into T values (2, 'at once')"), 101);
    EXPECT_EQ(Exec(L"insert into T values (3, 'c')"), 4);
    EXPECT_EQ(Rows(), (::Rows{{"2", "at once"}}));
    EXPECT_EQ(Commit(L"insert into T values (4, 'd')"), 0);
    EXPECT_EQ(Rows(), (::Rows{{"2", "at once"}, {"4", "d"}}));
}

TEST_F(DbSQLiteTest, CloseRollsBackWhatIsOpenAndLeavesNothingToBegin)
{
    m_db.BeginTransaction();
    EXPECT_EQ(Exec(L"insert into T values (1, 'a')"), 0);
    m_db.Close();
    EXPECT_TRUE(Rows().empty());
    EXPECT_NE(Commit(L"insert into T values (1, 'a')"), 0);  // on the closed connection
    EXPECT_EQ(m_db.Open(DbPathW(), nullptr), 0);
    EXPECT_EQ(Commit(L"insert into T values (2, 'b')"), 0);
    EXPECT_EQ(Rows(), (::Rows{{"2", "b"}}));
}

TEST_F(DbSQLiteTest, AFailedCommitLeavesNothingOpen)
{
    m_db.Close();
    FaultVfs vfs;
    ASSERT_EQ(m_db.Open(DbPathW(), nullptr), 0);
    vfs.Arm(FaultVfs::Op::Sync, 1, FaultVfs::Mode::Once);
    EXPECT_EQ(Commit(L"insert into T values (1, 'a')"), 10);  // SQLITE_IOERR
    EXPECT_TRUE(vfs.Fired());
    EXPECT_EQ(Commit(L"insert into T values (2, 'b')"), 0);  // would nest into a leftover transaction
    m_db.Close();
    EXPECT_EQ(Rows(), (::Rows{{"2", "b"}}));
}

// Both journal modes: a WAL file must not be converted, and must not get -wal or -shm; a
// missing file must not be created.
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
        EXPECT_NE(db.OpenReadOnly(Wide(dir.File("absent.db"))), 0);
        ASSERT_EQ(db.OpenReadOnly(Wide(path)), 0) << mode;
        CDbSQLite::ResultTable rows;
        EXPECT_EQ(db.SelectStatement(L"select b from T", rows), 0);
        EXPECT_EQ(rows.GetValue(0, 0).Str(), L"x");
        EXPECT_EQ(db.DirectStatement(L"insert into T values (2, 'y')"), 8) << mode;  // SQLITE_READONLY
        db.Close();
        EXPECT_NE(db.CopyTo(Wide(dir.File("copy.db"))), 0);  // closed: nothing to copy

        EXPECT_EQ(ReadFile(path), before) << mode;
        EXPECT_EQ(FolderEntries(dir.Path()), entries) << mode;
    }
}
