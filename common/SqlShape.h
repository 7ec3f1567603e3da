// A statement text with its value literals lifted out, so that texts that differ only in
// their values share one prepared statement: "values (5,'a''b')" has the shape
// "values (?,?)" with the literals 5 and "a'b". Lifting is conservative: a literal stays
// in the shape unless it stands where SQLite reads it as a plain value.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct SqlLiteral {
    bool isText = false;
    int64_t integer = 0;
    std::string text;  // quotes undone
};

class SqlShape {
public:
    // False when the text must reach SQLite as it is: not a data statement, or holding
    // something lifting cannot be sure about (parameters, comments, more than one statement).
    bool Lift(const std::string& sql);

    const std::string& Text() const { return m_text; }
    const std::vector<SqlLiteral>& Literals() const { return m_literals; }

private:
    SqlLiteral& NextLiteral();

    std::string m_text;
    std::vector<SqlLiteral> m_literals;
};
