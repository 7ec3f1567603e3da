// The wrapper against plain sqlite3_exec on a second file: every text must leave the same
// rows (type and value of every column), return the same code and, on failure, the same
// message, whether or not the wrapper reuses a prepared statement for it.
#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "DbSQLite.h"
#include "TestDb.h"
#include "Utf8.h"

namespace {

const char* const kSchema[] = {
    "create table V(i int, t varchar(100), n, r real)",
    "create table K(id int primary key, name varchar(100))",
    "create table R(id integer primary key, v)",
    "create table Q1_2(c2 int, c_3x varchar(10))",
    "create trigger KRefuse before insert on K when new.id = 7 begin select raise(abort, 'refused 7'); end",
};
const char* const kTables[] = {"V", "K", "R", "Q1_2"};

std::string Describe(sqlite3_stmt* stmt, int column)
{
    switch (sqlite3_column_type(stmt, column)) {
    case SQLITE_INTEGER: return "integer:" + std::to_string(sqlite3_column_int64(stmt, column));
    case SQLITE_FLOAT: {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "real:%.17g", sqlite3_column_double(stmt, column));
        return buffer;
    }
    case SQLITE_NULL: return "null";
    default: {
        const auto* bytes = static_cast<const char*>(sqlite3_column_blob(stmt, column));
        std::string value(bytes ? bytes : "", static_cast<size_t>(sqlite3_column_bytes(stmt, column)));
        return (sqlite3_column_type(stmt, column) == SQLITE_BLOB ? "blob:" : "text:") + value;
    }
    }
}

// Every row of the checked tables, each column as type:value.
std::vector<std::string> Snapshot(const std::string& path)
{
    sqlite3* db = nullptr;
    EXPECT_EQ(SQLITE_OK, sqlite3_open(path.c_str(), &db));
    std::vector<std::string> rows;
    for (const char* table : kTables) {
        sqlite3_stmt* stmt = nullptr;
        std::string sql = std::string("select * from ") + table + " order by rowid";
        EXPECT_EQ(SQLITE_OK, sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr)) << sql;
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            std::string row = table;
            for (int c = 0; c < sqlite3_column_count(stmt); ++c) row += " | " + Describe(stmt, c);
            rows.push_back(row);
        }
        sqlite3_finalize(stmt);
    }
    sqlite3_close(db);
    return rows;
}

class StatementCacheTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(0, m_db.Open(CString(FromUtf8(WrapperPath())), nullptr));
        ASSERT_EQ(SQLITE_OK, sqlite3_open(PlainPath().c_str(), &m_plain));
        for (const char* sql : kSchema) {
            ASSERT_EQ(SQLITE_DONE, m_db.DirectStatement(Wide(sql).GetString())) << sql;
            ASSERT_EQ(SQLITE_OK, sqlite3_exec(m_plain, sql, nullptr, nullptr, nullptr)) << sql;
        }
    }
    void TearDown() override { sqlite3_close(m_plain); }

    static CString Wide(const std::string& sql) { return CString(FromUtf8(sql)); }
    std::string WrapperPath() const { return m_dir.File("wrapper.db"); }
    std::string PlainPath() const { return m_dir.File("plain.db"); }

    // One text on both files: same code (101 against SQLITE_OK) and the same failure text.
    void ExpectSameOutcome(const std::string& sql)
    {
        LONG code = m_db.DirectStatement(Wide(sql).GetString());
        int plain = sqlite3_exec(m_plain, sql.c_str(), nullptr, nullptr, nullptr);
        EXPECT_EQ(plain == SQLITE_OK ? SQLITE_DONE : plain, code) << sql;
        if (plain != SQLITE_OK) {
            EXPECT_EQ(sqlite3_errmsg(m_plain), ToUtf8(m_db.LastError())) << sql;
        }
    }

    std::vector<std::vector<std::string>> PlainRows(const std::string& sql)
    {
        std::vector<std::vector<std::string>> rows;
        sqlite3_stmt* stmt = nullptr;
        EXPECT_EQ(SQLITE_OK, sqlite3_prepare_v2(m_plain, sql.c_str(), -1, &stmt, nullptr)) << sql;
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            std::vector<std::string> row;
            for (int c = 0; c < sqlite3_column_count(stmt); ++c) {
                const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, c));
                row.emplace_back(text ? text : "");
            }
            rows.push_back(std::move(row));
        }
        sqlite3_finalize(stmt);
        return rows;
    }

    std::vector<std::vector<std::string>> WrapperRows(const std::string& sql)
    {
        CDbSQLite::ResultTable table;
        EXPECT_EQ(0, m_db.SelectStatement(Wide(sql).GetString(), table)) << sql;
        std::vector<std::vector<std::string>> rows;
        for (const auto& record : table.m_Records) {
            std::vector<std::string> row;
            for (const CString& value : record) row.push_back(ToUtf8(value.Str()));
            rows.push_back(std::move(row));
        }
        return rows;
    }

    long WrapperCount(const std::string& where)
    {
        CDbSQLite::ResultTable table;
        EXPECT_EQ(0, m_db.SelectStatement(Wide("select count(*) from K where " + where).GetString(), table));
        return std::stol(ToUtf8(table.GetValue(0, 0).Str()));
    }

    TempDir m_dir;
    CDbSQLite m_db;
    sqlite3* m_plain = nullptr;
};

// Run in order on both files; repeated shapes with new values exercise reuse, failures
// in between check that a reused statement recovers.
const char* const kWrites[] = {
    "insert into V values (5, 'abc', 7, 1)",
    "insert into V values (-5, '-5', -5, -5)",
    "insert into V values (- 5, ' 5', -  5, +5)",
    "insert into V values (4294967295, '4294967295', 2147483648, 4294967295)",
    "insert into V values (9223372036854775807, '9223372036854775807', -9223372036854775807, 0)",
    "insert into V values (9223372036854775808, 'big', 99999999999999999999, -9223372036854775809)",
    "insert into V values (-9223372036854775808, 'min', -0, 007)",
    "insert into V values ('12', 12, '12', '12.5')",
    "insert into V values (1-5, 'it''s', 2 -3, 3*-4)",
    "insert into V values (10 - -5, '''', 'a''''b', '--')",
    "insert into V values (0x10, 'é ü 中 😀', 1.5, 1e3)",
    "insert into V values (null, 'x', x'00ff', .5)",
    "insert into V (t, i) values ('column list', 2)",
    "insert into V values (length('abc'), upper('q') || 'r', 'a' = 'a', ~5)",
    "insert into V values (1, 'semi;colon', 2, 3);  ;",
    "insert into Q1_2 (c2, c_3x) values (3, 'c4')",
    "insert into 'Q1_2' values (4, 'quoted table')",
    "insert into Q1_2 ('c2', 'c_3x') values (5, 'quoted columns')",
    "update V set t = 'upd', n = n + 1 where i = 5",
    "update V set r = r * 2 where t like 'a%' or i = -5",
    "delete from V where i = -5",
    "insert into V values (3, 'gone', 3, 3)",
    "delete from 'V' where t = 'gone'",
    "replace into K values (1, 'one')",
    "replace into K values (1, 'uno')",
    "insert into K values (2, 'two')",
    "insert into K values (2, 'again')",
    "insert into K values (7, 'seven')",
    "insert into K values (3, 'three')",
    "insert into R values ('abc', 1)",
    "insert into R values (10, 'ten')",
    "insert into Missing values (1)",
    "insert into K valuse (4, 'x')",
    "insert into K values (4)",
    "insert into K values (4, 'x'",
    "insert into K values (4, 'x)",
    "select * from K where id = ?",
    "insert into K values (8, 'after the failures')",
};

TEST_F(StatementCacheTest, WritesLeaveTheSameRowsCodesAndMessagesAsPlainSqlite)
{
    for (const char* sql : kWrites) ExpectSameOutcome(sql);
    EXPECT_EQ(Snapshot(PlainPath()), Snapshot(WrapperPath()));
}

TEST_F(StatementCacheTest, SelectsReturnTheSameRowsAsPlainSqlite)
{
    for (const char* sql : kWrites) ExpectSameOutcome(sql);
    const char* const selects[] = {
        "select * from V where i = 5",
        "select * from V where t = 'it''s'",
        "select i, t from V order by 1 desc, 2",
        "select t, count(*) from V group by 1 order by 2, 1",
        "select id % 2, name from K order by 1, 2",
        "select i % 2, t is null, count(*) from V group by 1, 2 order by 1, 2",
        "select * from K order by id limit 1 offset 1",
        "select i - 1, 'x' || t, -i from V where t like '%a%' or i > -10 order by rowid",
        "select typeof(9223372036854775808), typeof(-9223372036854775808), typeof(- 5), typeof('5')",
        "select * from 'K' where name = 'uno'",
        "select * from V where i = ?",
    };
    for (const char* sql : selects) {
        EXPECT_EQ(PlainRows(sql), WrapperRows(sql)) << sql;
        EXPECT_EQ(PlainRows(sql), WrapperRows(sql)) << sql << " (again)";
    }
}

TEST_F(StatementCacheTest, MoreThanOneStatementIsRefusedAndNothingRuns)
{
    const char* const texts[] = {
        "insert into K values (20, 'a'); insert into K values (21, 'b')",
        "insert into K values (20, 'a');drop table K",
        "select * from K; delete from K",
    };
    CDbSQLite::StatementStats before = m_db.GetStatementStats();
    for (const char* sql : texts) {
        EXPECT_EQ(SQLITE_ERROR, m_db.DirectStatement(Wide(sql).GetString())) << sql;
        EXPECT_STREQ(L"more than one statement in one call is refused", m_db.LastError()) << sql;
    }
    EXPECT_EQ(before.held, m_db.GetStatementStats().held);
    EXPECT_EQ(0, WrapperCount("id in (20, 21)"));
}

TEST_F(StatementCacheTest, FailedStatementInTransactionRollsBackAndBlocksTheRest)
{
    m_db.BeginTransaction();
    EXPECT_EQ(0, m_db.ExecInTransaction(Wide("insert into K values (30, 'a')")));
    EXPECT_EQ(SQLITE_CONSTRAINT, m_db.ExecInTransaction(Wide("insert into K values (30, 'b')")));
    EXPECT_EQ(SQLITE_ABORT, m_db.ExecInTransaction(Wide("insert into K values (31, 'c')")));
    EXPECT_NE(0, m_db.CommitTransaction());
    EXPECT_EQ(0, WrapperCount("id in (30, 31)"));

    m_db.BeginTransaction();
    EXPECT_EQ(0, m_db.ExecInTransaction(Wide("insert into K values (30, 'a')")));
    EXPECT_EQ(0, m_db.ExecInTransaction(Wide("insert into K values (31, 'c')")));
    EXPECT_EQ(0, m_db.CommitTransaction());
    EXPECT_EQ(2, WrapperCount("id in (30, 31)"));
}

TEST_F(StatementCacheTest, StatementOnADroppedOrChangedTableFailsAsPlainSqliteDoes)
{
    const std::string insert = "insert into R values (1, 'x')";
    ExpectSameOutcome(insert);
    ExpectSameOutcome("drop table R");
    ExpectSameOutcome(insert);
    ExpectSameOutcome("create table R(id integer primary key, v, w)");
    ExpectSameOutcome(insert);
    ExpectSameOutcome("insert into R values (2, 'x', 'y')");
    EXPECT_EQ(Snapshot(PlainPath()), Snapshot(WrapperPath()));
}

TEST_F(StatementCacheTest, TextThatDiffersOnlyInValuesReusesTheFirstStatement)
{
    CDbSQLite::StatementStats before = m_db.GetStatementStats();
    ExpectSameOutcome("insert into K values (40, 'a')");
    ExpectSameOutcome("insert into K values (41, 'it''s')");
    ExpectSameOutcome("insert into K values (-42, '')");
    CDbSQLite::StatementStats after = m_db.GetStatementStats();
    EXPECT_EQ(before.cached + 1, after.cached);
    EXPECT_EQ(before.reused + 2, after.reused);
    EXPECT_EQ(before.held + 1, after.held);
    EXPECT_EQ(Snapshot(PlainPath()), Snapshot(WrapperPath()));
}

TEST_F(StatementCacheTest, TextsThatCannotBeLiftedSafelyRunAsTheyAre)
{
    const char* const texts[] = {
        "PRAGMA user_version = 5",
        "create table T9(a int default 5, b varchar(10))",
        "alter table K add column c int default 3",
        "select * from K where id = ?",
        "select * from K where id = :id",
        "insert into K values (50, 'x', 1) -- trailing note",
        "insert into V values (1.5, 'x', 0x10, x'01')",
    };
    for (const char* sql : texts) {
        CDbSQLite::StatementStats before = m_db.GetStatementStats();
        ExpectSameOutcome(sql);
        CDbSQLite::StatementStats after = m_db.GetStatementStats();
        EXPECT_EQ(before.plain + 1, after.plain) << sql;
        EXPECT_EQ(before.held, after.held) << sql;
    }
    EXPECT_EQ(Snapshot(PlainPath()), Snapshot(WrapperPath()));
}

TEST_F(StatementCacheTest, CacheStaysBoundedAndAnEvictedShapeStillRuns)
{
    const size_t shapes = CDbSQLite::kCachedStatements + 16;
    for (size_t k = 0; k < shapes; ++k) {
        std::string sql = "select id as a" + std::to_string(k) + " from K where id = 1";
        EXPECT_EQ(PlainRows(sql), WrapperRows(sql)) << sql;
    }
    EXPECT_EQ(CDbSQLite::kCachedStatements, m_db.GetStatementStats().held);
    size_t cached = m_db.GetStatementStats().cached;
    EXPECT_EQ(PlainRows("select id as a0 from K where id = 1"), WrapperRows("select id as a0 from K where id = 2"));
    EXPECT_EQ(cached + 1, m_db.GetStatementStats().cached);
}

TEST_F(StatementCacheTest, CloseFinalizesEveryStatementAndReleasesTheFile)
{
    ExpectSameOutcome("insert into K values (60, 'a')");
    ExpectSameOutcome("insert into K values (61, 'b')");
    ASSERT_GT(m_db.GetStatementStats().held, 0u);
    m_db.Close();
    EXPECT_EQ(0u, m_db.GetStatementStats().held);
    // The last connection to close removes the log file; a leaked statement keeps it open.
    EXPECT_FALSE(std::filesystem::exists(WrapperPath() + "-wal"));
    ASSERT_EQ(0, m_db.Open(CString(FromUtf8(WrapperPath())), nullptr));
    EXPECT_EQ(2, WrapperCount("id in (60, 61)"));
}

TEST_F(StatementCacheTest, FileThatIsNotADatabaseStillFailsOpenWithItsCode)
{
    std::string path = m_dir.File("text.db");
    FILE* file = std::fopen(path.c_str(), "w");
    ASSERT_NE(nullptr, file);
    std::fputs("this is not a database, only some text long enough to fill a header page......", file);
    std::fclose(file);
    CDbSQLite db;
    EXPECT_EQ(SQLITE_NOTADB, db.Open(CString(FromUtf8(path)), nullptr));
    EXPECT_FALSE(db.IsOpen());
}

}  // namespace
