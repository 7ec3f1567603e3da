// The database wrapper against real files: open rules, one statement per call, and the
// transaction rules that keep a half-done rewrite from ever being committed.
#include <fstream>
#include <iterator>

#include "DbSQLite.h"
#include "FaultVfs.h"
#include "MiscFuncs.h"
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
    LONG Exec(const wchar_t* sql) { return m_db.ExecInTransaction(sql); }

    CDbSQLite m_db;
};

}  // namespace

// An empty path would open a temporary database, and saves would "succeed" into nowhere.
TEST_F(DbSQLiteTest, RefusesTextsOfSeveralStatementsAndFilesThatAreNotDatabases)
{
    EXPECT_NE(m_db.DirectStatement(L"insert into T values (1, 'a'); drop table T"), 101);
    EXPECT_NE(Exec(L"insert into T values (2, 'b');insert into T values (3, 'c')"), 0);
    EXPECT_EQ(m_db.DirectStatement(L"insert into T values (4, 'd');  "), 101);  // a trailing ';' is one
    EXPECT_EQ(PlainDb(DbPath()).Count("T"), 1);

    const std::string junk = m_dir.File("junk.db");
    std::ofstream(junk) << std::string(4096, 'x');
    CDbSQLite db;
    EXPECT_EQ(db.Open(CString(FromUtf8(junk)), nullptr), 26);
    EXPECT_EQ(db.Open(L"", nullptr), 14);
}

// A Row reads numbers without any text: every kind of cell, bytes that are not UTF-8 too,
// must still read as SQLite's own text, as _wtol of it, and as empty text when NULL or
// past the end of the row.
TEST_F(DbSQLiteTest, EveryKindOfCellReadsThroughARowAsSqliteText)
{
    ASSERT_EQ(m_db.DirectStatement(L"create table C(v)"), 101);
    const std::wstring values[] = {L"-1", L"9223372036854775807", L"-9223372036854775808", L"4294967295",
                                   L"3000000005", L"-7.9", L"1e300", L"'007'", L"'-5abc'", L"''", L"x'3432'", L"NULL",
                                   L"'it''s \u4e2d\u6587 \U0001F600'", L"x'c0af80ff41'", L"cast(x'e29c41' as text)",
                                   L"'" + std::wstring(20000, L'\u00e9') + L"'"};
    for (const std::wstring& value : values)
        ASSERT_EQ(m_db.DirectStatement((L"insert into C values (" + value + L")").c_str()), 101) << ToUtf8(value);
    const ::Rows expected = PlainDb(DbPath()).Rows("select v from C order by rowid");
    size_t row = 0;
    ASSERT_EQ(m_db.SelectEachRow(L"select v from C order by rowid", [&](const CDbSQLite::Row& cells) {
        const std::wstring text = FromUtf8(expected.at(row)[0]);
        EXPECT_EQ(cells.GetText(0), text) << ToUtf8(values[row]);
        EXPECT_EQ(cells.GetLong(0), _wtol(text.c_str())) << ToUtf8(values[row]);
        EXPECT_EQ(cells.IsEmpty(0), text.empty()) << ToUtf8(values[row]);
        EXPECT_TRUE(cells.GetText(1).empty() && cells.GetLong(1) == 0);
        ++row;
    }), 0);
    EXPECT_EQ(row, expected.size());
}

// Each case is a script on a fresh T where a trigger refuses a = 2. Steps: B begin, C commit,
// a digit n inserts n in the transaction, D writes 8 at once, S reads, X closes, O reopens,
// F makes the next sync fail, R counts the rows a plain connection sees. Every step but B, X
// and F yields a code, checked in order (kFailed: any failure).
TEST_F(DbSQLiteTest, TransactionsCommitWholeAtTheOutermostOrNotAtAll)
{
    const LONG kFailed = -1;
    struct Case {
        const char* name;
        const char* steps;
        std::vector<LONG> codes;
        ::Rows rows;
    };
    const Case cases[] = {
        {"nested", "BB1CRCR", {0, 0, 0, 0, 1}, {{"1"}}},
        {"a failed statement rolls back the whole", "BB123CCCR", {0, 19, 4, kFailed, kFailed, kFailed, 0}, {}},
        {"an abandoned transaction blocks only its own writes", "B11SD3RB4CR", {0, 19, 0, 101, 4, 1, 0, 0, 2},
         {{"4"}, {"8"}}},
        {"close rolls back and leaves nothing to begin", "B1XRB4COB4CR", {0, 0, kFailed, kFailed, 0, 0, 0, 1}, {{"4"}}},
        {"a failed commit leaves nothing open", "FB1CB5C", {0, 10, 0, 0}, {{"5"}}},
    };
    m_db.Close();
    FaultVfs vfs;
    PlainDb(DbPath()).Refuse("insert on T when new.a = 2");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(m_db.Open(DbPathW(), nullptr), 0);
        ASSERT_EQ(m_db.DirectStatement(L"delete from T"), 101);
        CDbSQLite::ResultTable table;
        std::vector<LONG> codes;
        for (const char* step = c.steps; *step; ++step) {
            const std::wstring insert = L"insert into T values (" + std::wstring(1, *step) + L", 'x')";
            switch (*step) {
                case 'B': m_db.BeginTransaction(); break;
                case 'C': codes.push_back(m_db.CommitTransaction()); break;
                case 'D': codes.push_back(m_db.DirectStatement(L"replace into T values (8, 'now')")); break;
                case 'S': codes.push_back(m_db.SelectStatement(L"select * from T", table)); break;
                case 'X': m_db.Close(); break;
                case 'O': codes.push_back(m_db.Open(DbPathW(), nullptr)); break;
                case 'F': vfs.Arm(FaultVfs::Op::Sync, 1, FaultVfs::Mode::Once); break;
                case 'R': codes.push_back(PlainDb(DbPath()).Count("T")); break;
                default: codes.push_back(Exec(insert.c_str()));
            }
        }
        m_db.Close();
        ASSERT_EQ(codes.size(), c.codes.size());
        for (size_t i = 0; i < codes.size(); ++i)
            EXPECT_TRUE(c.codes[i] == kFailed ? codes[i] != 0 : codes[i] == c.codes[i]) << "code " << i << ": " << codes[i];
        EXPECT_EQ(PlainDb(DbPath()).Rows("select a from T order by a"), c.rows);
    }
}

// A format whose values the wrapper binds must write exactly what its formatted text writes,
// and one it cannot bind (a sign glued to %d, a quoted %% beside '%s') goes as its text.
TEST_F(DbSQLiteTest, FormattedStatementsWriteWhatTheirTextsWrite)
{
    const wchar_t* const formats[] = {L"insert into R values (%d, '%s', %u)",
                                      L"insert into R select %d,'%s',%u where 1 = 1",
                                      L"insert into R values (-%d, '%s' || '%%', %u)"};
    const ULONG numbers[] = {0, 7, 0xFFFFFFFF, 0x80000000, 3000000000u};
    const std::wstring texts[] = {L"", L"O'Neil", L"a''b'", std::wstring(L"nul\0cut", 7), L"\U0001F600 \u4e2d",
                                  std::wstring(1, static_cast<wchar_t>(0xD800))};
    CDbSQLite byText;
    ASSERT_EQ(byText.Open(CString(FromUtf8(m_dir.File("text.db"))), nullptr), 0);
    for (CDbSQLite* db : {&m_db, &byText}) ASSERT_EQ(db->DirectStatement(L"create table R(a, b, c)"), 101);
    for (const wchar_t* format : formats) {
        for (size_t k = 0; k < std::size(numbers) * std::size(texts); ++k) {
            const ULONG n = numbers[k % std::size(numbers)];
            const std::wstring& text = texts[k % std::size(texts)];
            CString sql;
            sql.Format(format, n, CMiscFuncs::Convert2SqlParam(text).GetString(), n);
            // "--1" starts a comment: such a text fails, and so must its format.
            EXPECT_EQ(m_db.ExecFormatted(format, {n, text, n}), byText.ExecInTransaction(sql)) << ToUtf8(sql.Str());
        }
    }
    const char* const query = "select a, typeof(a), hex(b), typeof(b), c, typeof(c) from R order by rowid";
    const ::Rows bound = PlainDb(DbPath()).Rows(query);
    const ::Rows written = PlainDb(m_dir.File("text.db")).Rows(query);
    ASSERT_EQ(bound.size(), written.size());
    for (size_t r = 0; r < bound.size(); ++r) EXPECT_EQ(bound[r], written[r]) << "row " << r;
    EXPECT_EQ(PlainDb(DbPath()).Count("R"), 3 * 30 - 18);

    // Inside a transaction a failed one rolls the whole back, as a failed text does.
    PlainDb(DbPath()).Refuse("insert on R when new.a = 5");
    m_db.BeginTransaction();
    EXPECT_EQ(m_db.ExecFormatted(formats[0], {4, texts[0], 4}), 0);
    EXPECT_EQ(m_db.ExecFormatted(formats[0], {5, texts[0], 5}), 19);
    EXPECT_EQ(m_db.ExecFormatted(formats[0], {6, texts[0], 6}), 4);
    EXPECT_NE(m_db.CommitTransaction(), 0);
    EXPECT_EQ(PlainDb(DbPath()).Count("R"), 3 * 30 - 18);
}
