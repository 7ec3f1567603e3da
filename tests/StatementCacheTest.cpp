// The wrapper against plain SQLite on a second file: every text must leave the same rows
// (type and value of every column), return the same code and, on failure, the same message,
// whether or not the wrapper reuses a prepared statement for it.
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

// Every row of the tables; quote() tells an integer from a real, a text and a blob.
const char* const kContents[] = {
    "select quote(i), quote(t), quote(n), quote(r) from V order by rowid",
    "select quote(id), quote(name) from K order by rowid",
    "select quote(id), quote(v), quote(w) from R order by rowid",
    "select quote(c2), quote(c_3x) from Q1_2 order by rowid",
};

class StatementCacheTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(0, m_db.Open(CString(FromUtf8(WrapperPath())), nullptr));
        for (const char* sql : kSchema) {
            ASSERT_EQ(101, m_db.DirectStatement(Wide(sql).GetString())) << sql;
            m_plain.Exec(sql);
        }
    }

    static CString Wide(const std::string& sql) { return CString(FromUtf8(sql)); }
    std::string WrapperPath() const { return m_dir.File("wrapper.db"); }

    // One text on both files: same code (101 against SQLITE_OK) and the same failure text.
    void ExpectSameOutcome(const std::string& sql)
    {
        std::string message;
        const int plain = m_plain.Run(sql, &message);
        EXPECT_EQ(plain == 0 ? 101 : plain, m_db.DirectStatement(Wide(sql).GetString())) << sql;
        if (plain != 0) {
            EXPECT_EQ(message, ToUtf8(m_db.LastError())) << sql;
        }
    }

    Rows WrapperRows(const std::string& sql)
    {
        CDbSQLite::ResultTable table;
        EXPECT_EQ(0, m_db.SelectStatement(Wide(sql).GetString(), table)) << sql;
        Rows rows;
        for (const auto& record : table.m_Records) {
            rows.emplace_back();
            for (const CString& value : record) rows.back().push_back(ToUtf8(value.Str()));
        }
        return rows;
    }

    TempDir m_dir;
    CDbSQLite m_db;
    PlainDb m_plain{m_dir.File("plain.db")};
};

// Run in order on both files; repeated shapes with new values exercise reuse, failures in
// between check that a reused statement recovers. A select must also give the same rows,
// the first time and from the cache.
const char* const kTexts[] = {
    "insert into K values (40, 'a')",
    "insert into V values (5, 'abc', 7, 1)",
    "insert into V values (- 5, ' 5', -  5, +5)",
    "delete from V where i = -5",
    "insert into V values (9223372036854775808, 'big', 99999999999999999999, -9223372036854775809)",
    "insert into V values ('12', 12, '12', '12.5')",
    "insert into V values (1-5, 'it''s', 2 -3, 3*-4)",
    "insert into V values (10 - -5, '''', 'a''''b', '--')",
    "insert into V values (0x10, 'é ü 中 😀', 1.5, 1e3)",
    "insert into V values (null, 'x', x'00ff', .5)",
    "insert into V values (length('abc'), upper('q') || 'r', 'a' = 'a', ~5)",
    "insert into V values (1, 'semi;colon', 2, 3);  ;",
    "insert into 'Q1_2' values (4, 'quoted table')",
    "insert into Q1_2 ('c2', 'c_3x') values (5, 'quoted columns')",
    "insert into K values (2, 'two')",
    "insert into K values (2, 'again')",
    "insert into K values (7, 'seven')",
    "insert into R values (10, 'ten')",
    // The cached shape of an insert into R, on a dropped table, then on one with more columns.
    "drop table R",
    "insert into R values (11, 'x')",
    "create table R(id integer primary key, v, w)",
    "insert into R values (12, 'x')",
    "insert into R values (13, 'x', 'y')",
    "insert into K values (4, 'x)",
    "select * from K where id = ?",
    "insert into K values (8, 'after the failures')",
    "select i, t from V order by 1 desc, 2",
    "select i - 1, 'x' || t, -i from V where t like '%a%' or i > -10 order by rowid",
    "select typeof(9223372036854775808), typeof(-9223372036854775808), typeof(- 5), typeof('5')",
};

TEST_F(StatementCacheTest, CachedStatementsGiveWhatPlainSqliteGives)
{
    for (const char* sql : kTexts) {
        ExpectSameOutcome(sql);
        if (std::string(sql).rfind("select", 0) == 0) {
            EXPECT_EQ(m_plain.Rows(sql), WrapperRows(sql)) << sql;
            EXPECT_EQ(m_plain.Rows(sql), WrapperRows(sql)) << sql << " (again)";
        }
    }
    for (const char* sql : kContents) EXPECT_EQ(m_plain.Rows(sql), PlainDb(WrapperPath()).Rows(sql)) << sql;
    EXPECT_GE(m_db.GetStatementStats().reused, 10u);  // the comparison did go through reused statements
}

TEST_F(StatementCacheTest, CacheStaysBoundedAndAnEvictedShapeStillRuns)
{
    ExpectSameOutcome("insert into K values (1, 'uno')");
    for (size_t k = 0; k < CDbSQLite::kCachedStatements + 16; ++k) {
        const std::string sql = "select name as a" + std::to_string(k) + " from K where id = 1";
        EXPECT_EQ(m_plain.Rows(sql), WrapperRows(sql)) << sql;
    }
    EXPECT_EQ(CDbSQLite::kCachedStatements, m_db.GetStatementStats().held);
    const std::string evicted = "select name as a0 from K where id = 1";
    EXPECT_EQ(m_plain.Rows(evicted), WrapperRows(evicted));
}

}  // namespace
