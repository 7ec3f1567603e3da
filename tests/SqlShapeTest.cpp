// Which literals become parameters, and which texts are left alone.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "SqlShape.h"

namespace {

struct LiftCase {
    const char* sql;
    const char* shape;
    std::vector<std::string> literals;  // "#n" for an integer, the text otherwise
};

std::vector<std::string> Describe(const std::vector<SqlLiteral>& literals)
{
    std::vector<std::string> out;
    for (const SqlLiteral& literal : literals)
        out.push_back(literal.isText ? literal.text : "#" + std::to_string(literal.integer));
    return out;
}

TEST(SqlShapeTest, LiftsValueLiteralsAndKeepsNamesAndPositions)
{
    const LiftCase cases[] = {
        {"insert into T values (4294967295,-5,- 7,+3,'x')", "insert into T values (?,?,?,?,?)",
         {"#4294967295", "#-5", "#-7", "#3", "x"}},
        {"update T set a = b -5, c = 1-2 where d = 3", "update T set a = b -?, c = ?-? where d = ?",
         {"#5", "#1", "#2", "#3"}},
        {"insert into Q1_2(c2,c_3x) values(1,'a''b''''')", "insert into Q1_2(c2,c_3x) values(?,?)", {"#1", "a'b''"}},
        {"insert into T values ('''a''', '''''', 'x''')", "insert into T values (?, ?, ?)", {"'a'", "''", "x'"}},
        {"delete from 'CorpInfo'", "delete from 'CorpInfo'", {}},
        {"select \"a1\", [b 2], `c3` from T where x = 'it''s'", "select \"a1\", [b 2], `c3` from T where x = ?",
         {"it's"}},
        {"select a 'x', 5 from T", "select a 'x', ? from T", {"#5"}},
        {"select * from T where a = 1 order by 2, 3 limit 4, 5", "select * from T where a = ? order by 2, 3 limit 4, 5",
         {"#1"}},
        {"insert into T values (9223372036854775807, 9223372036854775808, -9223372036854775808)",
         "insert into T values (?, 9223372036854775808, -9223372036854775808)", {"#9223372036854775807"}},
        {"insert into T values (1, ';');", "insert into T values (?, ?);", {"#1", ";"}},
        {"select * from T where t like 'a%' or not -1", "select * from T where t like ? or not ?", {"a%", "#-1"}},
    };
    for (const LiftCase& c : cases) {
        SqlShape shape;
        ASSERT_TRUE(shape.Lift(c.sql)) << c.sql;
        EXPECT_EQ(c.shape, shape.Text()) << c.sql;
        EXPECT_EQ(c.literals, Describe(shape.Literals())) << c.sql;
    }
}

TEST(SqlShapeTest, LeavesTextsItCannotLiftSafely)
{
    const char* const texts[] = {
        "PRAGMA user_version = 5",
        "create table T(a int default 5)",
        "BEGIN IMMEDIATE",
        "select * from T where a = ?",
        "select * from T where a = :a or b = @b or c = $c",
        "insert into T values (1); drop table T",
        "insert into T values (1) -- note",
        "insert into T values (/* note */ 1)",
        "insert into T values (1.5)",
        "insert into T values (0x10)",
        "insert into T values (1e3)",
        "insert into T values (x'00')",
        "insert into T values ('open",
        "select 5abc from T",
        "(select 1)",
        "",
    };
    for (const char* sql : texts) {
        SqlShape shape;
        EXPECT_FALSE(shape.Lift(sql)) << sql;
    }
}

}  // namespace
