// The database wrapper against real files: open rules, one statement per call, and the
// transaction rules that keep a half-done rewrite from ever being committed.
#include <fstream>

#include "DbSQLite.h"
#include "FaultVfs.h"
#include "TestDb.h"
#include "Utf8.h"
#include "WideConv.h"

namespace {

class DbSQLiteTest : public StoreTest {
protected:
    void SetUp() override
    {
        ASSERT_EQ(m_db.Open(DbPathW(), nullptr), 0);
        ASSERT_EQ(m_db.DirectStatement(L"create table T(a int primary key, b varchar(10))"), 101);
    }
    ::Rows Rows() { return PlainDb(DbPath()).Rows("select a, b from T order by a"); }
    LONG Exec(const wchar_t* sql) { return m_db.ExecInTransaction(sql); }

    CDbSQLite m_db;
};

}  // namespace

TEST_F(DbSQLiteTest, OpenCreatesTheFileAndKeepsAConnectionToTheSamePath)
{
    m_db.BeginTransaction();
    EXPECT_EQ(m_db.Open(DbPathW(), nullptr), 0);
    EXPECT_EQ(Exec(L"insert into T values (1, 'x')"), 0);
    EXPECT_EQ(m_db.CommitTransaction(), 0);
    EXPECT_EQ(Rows().size(), 1u);
    EXPECT_EQ(PlainDb(DbPath()).Value("PRAGMA journal_mode"), "wal");
}

TEST_F(DbSQLiteTest, OpenRefusesAFileThatIsNotADatabase)
{
    const std::string junk = m_dir.File("junk.db");
    std::ofstream(junk) << std::string(4096, 'x');
    CDbSQLite db;
    EXPECT_EQ(db.Open(CString(FromUtf8(junk)), nullptr), 26);
    EXPECT_FALSE(db.IsOpen());
    EXPECT_EQ(db.Open(L"", nullptr), 14);
}

TEST_F(DbSQLiteTest, SelectReplacesTheTableAndReadsNullAsEmptyText)
{
    ASSERT_EQ(m_db.DirectStatement(L"insert into T values (1, NULL)"), 101);
    CDbSQLite::ResultTable table;
    table.m_Records.push_back({L"stale"});
    ASSERT_EQ(m_db.SelectStatement(L"select * from T", table), 0);
    ASSERT_EQ(table.GetRowCount(), 1u);
    EXPECT_EQ(table.GetValue(0, 0).Str(), L"1");
    EXPECT_EQ(table.GetValue(0, 1).Str(), L"");
    EXPECT_EQ(table.GetValue(0, 7).Str(), L"");  // past the end of the row
    EXPECT_EQ(table.GetValue(9, 0).Str(), L"");
}

// Integer cells are written by the wrapper itself, and a Row reads numbers without any
// text: every kind of cell must still read as SQLite's own text (UTF-8 on the file), and
// as _wtol of it.
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
    ASSERT_EQ(m_db.SelectStatement(L"select v from C order by rowid", table), 0);
    ASSERT_EQ(table.GetRowCount(), expected.size());
    size_t row = 0;
    ASSERT_EQ(m_db.SelectEachRow(L"select v from C order by rowid", [&](const CDbSQLite::Row& cells) {
        const CString& text = table.GetValue(row, 0);
        EXPECT_EQ(ToUtf8(text.Str()), expected[row][0]) << ToUtf8(values[row]);
        EXPECT_EQ(cells.GetText(0), text.Str()) << ToUtf8(values[row]);
        EXPECT_EQ(cells.GetLong(0), _wtol(text)) << ToUtf8(values[row]);
        EXPECT_EQ(cells.IsEmpty(0), text.IsEmpty()) << ToUtf8(values[row]);
        // Past the end of the row, as GetValue has it.
        EXPECT_EQ(cells.GetText(1), L"");
        EXPECT_EQ(cells.GetLong(1), 0);
        EXPECT_TRUE(cells.IsEmpty(1));
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

TEST_F(DbSQLiteTest, AFailedStatementRollsBackTheWholeTransaction)
{
    m_db.BeginTransaction();
    EXPECT_EQ(Exec(L"insert into T values (1, 'a')"), 0);
    EXPECT_EQ(Exec(L"insert into T values (1, 'dup')"), 19);
    EXPECT_EQ(Exec(L"insert into T values (2, 'b')"), 4);  // refused, not run
    EXPECT_NE(std::wstring(m_db.LastError()).find(L"UNIQUE"), std::wstring::npos);
    EXPECT_NE(m_db.CommitTransaction(), 0);
    EXPECT_TRUE(Rows().empty());
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

    m_db.BeginTransaction();
    m_db.BeginTransaction();
    EXPECT_NE(Exec(L"insert into Missing values (1)"), 0);
    EXPECT_NE(m_db.CommitTransaction(), 0);  // inner commit reports the failure too
    EXPECT_NE(m_db.CommitTransaction(), 0);
    EXPECT_NE(m_db.CommitTransaction(), 0);  // nothing open any more
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

    m_db.BeginTransaction();
    EXPECT_EQ(Exec(L"insert into T values (4, 'd')"), 0);
    EXPECT_EQ(m_db.CommitTransaction(), 0);
    EXPECT_EQ(Rows(), (::Rows{{"2", "at once"}, {"4", "d"}}));
}

TEST_F(DbSQLiteTest, CloseRollsBackWhatIsOpenAndLeavesNothingToBegin)
{
    m_db.BeginTransaction();
    EXPECT_EQ(Exec(L"insert into T values (1, 'a')"), 0);
    m_db.Close();
    EXPECT_TRUE(Rows().empty());
    m_db.BeginTransaction();  // on the closed connection
    EXPECT_NE(Exec(L"insert into T values (1, 'a')"), 0);
    EXPECT_NE(m_db.CommitTransaction(), 0);

    EXPECT_EQ(m_db.Open(DbPathW(), nullptr), 0);
    m_db.BeginTransaction();
    EXPECT_EQ(Exec(L"insert into T values (2, 'b')"), 0);
    EXPECT_EQ(m_db.CommitTransaction(), 0);
    EXPECT_EQ(Rows().size(), 1u);
}

TEST_F(DbSQLiteTest, AFailedCommitLeavesNothingOpen)
{
    m_db.Close();
    FaultVfs vfs;
    ASSERT_EQ(m_db.Open(DbPathW(), nullptr), 0);
    vfs.Arm(FaultVfs::Op::Sync, 1, FaultVfs::Mode::Once);
    m_db.BeginTransaction();
    EXPECT_EQ(Exec(L"insert into T values (1, 'a')"), 0);
    EXPECT_EQ(m_db.CommitTransaction(), 10);  // SQLITE_IOERR
    EXPECT_TRUE(vfs.Fired());
    m_db.BeginTransaction();  // would nest into a leftover transaction if one were open
    EXPECT_EQ(Exec(L"insert into T values (2, 'b')"), 0);
    EXPECT_EQ(m_db.CommitTransaction(), 0);
    m_db.Close();
    EXPECT_EQ(Rows(), (::Rows{{"2", "b"}}));
}
