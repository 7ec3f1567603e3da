#include "SqlShape.h"

#include <algorithm>
#include <limits>
#include <string_view>

namespace {

const uint64_t kMaxMagnitude = static_cast<uint64_t>(std::numeric_limits<int64_t>::max());

// Only statements whose literals can stand for bound values; DDL, PRAGMA and transaction
// control keep literals where a parameter is not allowed or means something else.
constexpr std::string_view kDataStatements[] = {"select", "insert", "replace", "update", "delete"};
// After these a literal is an operand, as after an operator or an opening parenthesis.
// After anything else (FROM 'Table', AS 'alias', a name) a quoted text may be a name.
constexpr std::string_view kValueKeywords[] = {"select", "where", "and",  "or",   "not",  "is",  "like",
                                               "glob",   "between", "case", "when", "then", "else"};
// From here on an integer may name a result column (ORDER BY 2) or be folded as a
// constant; nothing after them is lifted.
constexpr std::string_view kStopKeywords[] = {"order", "group", "limit", "partition"};

// Looked up once for every character of every statement text.
enum : unsigned char { kSpace = 1, kDigit = 2, kIdStart = 4 };

struct CharClasses {
    unsigned char of[256] = {};
    constexpr CharClasses()
    {
        for (int c = 0; c < 256; ++c) {
            if (c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r') of[c] |= kSpace;
            if (c >= '0' && c <= '9') of[c] |= kDigit;
            if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c >= 0x80) of[c] |= kIdStart;
        }
    }
};
constexpr CharClasses kClasses;

bool Is(char c, unsigned char classes)
{
    return (kClasses.of[static_cast<unsigned char>(c)] & classes) != 0;
}

bool IsSpace(char c)
{
    return Is(c, kSpace);
}

bool IsDigit(char c)
{
    return Is(c, kDigit);
}

bool IsIdStart(char c)
{
    return Is(c, kIdStart);
}

// As SQLite's tokenizer sees it: a digit or '$' continues a name, and a number glued to
// such a character is not a number.
bool IsIdChar(char c)
{
    return Is(c, kIdStart | kDigit) || c == '$';
}

// Punctuation after which an operand is due.
bool OpensOperand(char c)
{
    switch (c) {
    case '(': case ',': case '=': case '<': case '>': case '!': case '*': case '/':
    case '%': case '|': case '&': case '~': case '+': case '-':
        return true;
    default:
        return false;
    }
}

template <size_t N>
constexpr uint32_t FirstLetters(const std::string_view (&words)[N])
{
    uint32_t letters = 0;
    for (std::string_view word : words) letters |= 1u << (word[0] - 'a');
    return letters;
}

constexpr uint32_t kDataLetters = FirstLetters(kDataStatements);
constexpr uint32_t kValueLetters = FirstLetters(kValueKeywords);
constexpr uint32_t kStopLetters = FirstLetters(kStopKeywords);

// Most names start with a letter no word of the list starts with: letters says which do.
template <size_t N>
bool IsOneOf(const std::string& sql, size_t begin, size_t end, const std::string_view (&words)[N], uint32_t letters)
{
    const unsigned first = static_cast<unsigned>(static_cast<unsigned char>(sql[begin] | 0x20)) - 'a';
    if (first >= 26 || ((letters >> first) & 1u) == 0) return false;
    const size_t length = end - begin;
    for (std::string_view word : words) {
        if (word.size() != length) continue;
        size_t k = 0;
        while (k < length && (sql[begin + k] | 0x20) == word[k]) ++k;
        if (k == length) return true;
    }
    return false;
}

// The decimal digits in [begin, end) as a magnitude; false when above INT64_MAX, where
// SQLite makes a REAL of the literal.
bool ReadMagnitude(const std::string& sql, size_t begin, size_t end, uint64_t& value)
{
    value = 0;
    for (size_t k = begin; k < end; ++k) {
        uint64_t digit = static_cast<uint64_t>(sql[k] - '0');
        if (value > (kMaxMagnitude - digit) / 10) return false;
        value = value * 10 + digit;
    }
    return true;
}

size_t DigitsEnd(const std::string& sql, size_t i)
{
    while (i < sql.size() && IsDigit(sql[i])) ++i;
    return i;
}

// A real, a hex number or digits run into a name: none of them is lifted.
bool PlainIntegerEndsAt(const std::string& sql, size_t end)
{
    return end >= sql.size() || (sql[end] != '.' && !IsIdChar(sql[end]));
}

// The end of a quoted token starting at i (one past the closing quote), or npos when
// unterminated. A doubled closing quote stands for itself.
size_t QuotedEnd(const std::string& sql, size_t i, char close, bool doubledEscapes)
{
    for (size_t j = i + 1; j < sql.size(); ++j) {
        if (sql[j] != close) continue;
        if (doubledEscapes && j + 1 < sql.size() && sql[j + 1] == close) {
            ++j;
            continue;
        }
        return j + 1;
    }
    return std::string::npos;
}

}  // namespace

SqlLiteral& SqlShape::NextLiteral()
{
    m_literals.emplace_back();
    m_text += '?';
    return m_literals.back();
}

bool SqlShape::Lift(const std::string& sql)
{
    m_text.clear();
    m_literals.clear();
    m_text.reserve(sql.size());
    const size_t n = sql.size();
    bool first = true;
    bool lifting = true;
    bool valueMayFollow = false;
    bool ended = false;
    size_t i = 0;
    while (i < n) {
        const char c = sql[i];
        const char next = i + 1 < n ? sql[i + 1] : '\0';
        if (IsSpace(c)) {
            m_text += c;
            ++i;
            continue;
        }
        if (ended && c != ';') return false;
        if (first && !IsIdStart(c)) return false;
        if ((c == '-' && next == '-') || (c == '/' && next == '*')) return false;
        if ((c == 'x' || c == 'X') && next == '\'') return false;

        if (c == '\'') {
            size_t end = QuotedEnd(sql, i, '\'', true);
            if (end == std::string::npos) return false;
            if (lifting && valueMayFollow) {
                SqlLiteral& literal = NextLiteral();
                literal.isText = true;
                // Whole runs up to each doubled quote, which stands for one.
                const size_t close = end - 1;
                literal.text.reserve(close - i - 1);
                for (size_t k = i + 1; k < close;) {
                    const size_t quote = std::min(sql.find('\'', k), close);
                    literal.text.append(sql, k, quote - k);
                    if (quote == close) break;
                    literal.text += '\'';
                    k = quote + 2;
                }
            } else {
                m_text.append(sql, i, end - i);
            }
            valueMayFollow = false;
            i = end;
            continue;
        }
        if (c == '"' || c == '`' || c == '[') {
            size_t end = QuotedEnd(sql, i, c == '[' ? ']' : c, c != '[');
            if (end == std::string::npos) return false;
            m_text.append(sql, i, end - i);
            valueMayFollow = false;
            i = end;
            continue;
        }
        if (IsDigit(c) || (c == '.' && IsDigit(next))) {
            size_t end = DigitsEnd(sql, i);
            if (c == '.' || !PlainIntegerEndsAt(sql, end)) return false;
            uint64_t magnitude = 0;
            if (lifting && valueMayFollow && ReadMagnitude(sql, i, end, magnitude)) {
                NextLiteral().integer = static_cast<int64_t>(magnitude);
            } else {
                m_text.append(sql, i, end - i);
            }
            valueMayFollow = false;
            i = end;
            continue;
        }
        if ((c == '-' || c == '+') && lifting && valueMayFollow) {
            // A sign where an operand is due is unary: "-5" and "- 5" both store -5.
            size_t digits = i + 1;
            while (digits < n && IsSpace(sql[digits])) ++digits;
            size_t end = DigitsEnd(sql, digits);
            uint64_t magnitude = 0;
            if (end > digits && PlainIntegerEndsAt(sql, end) && ReadMagnitude(sql, digits, end, magnitude)) {
                int64_t value = static_cast<int64_t>(magnitude);
                NextLiteral().integer = c == '-' ? -value : value;
                valueMayFollow = false;
                i = end;
                continue;
            }
        }
        if (IsIdStart(c)) {
            size_t end = i + 1;
            while (end < n && IsIdChar(sql[end])) ++end;
            if (first && !IsOneOf(sql, i, end, kDataStatements, kDataLetters)) return false;
            first = false;
            if (IsOneOf(sql, i, end, kStopKeywords, kStopLetters)) lifting = false;
            valueMayFollow = IsOneOf(sql, i, end, kValueKeywords, kValueLetters);
            m_text.append(sql, i, end - i);
            i = end;
            continue;
        }
        if (c == ';') {
            ended = true;
        } else if (c == ')' || c == '.') {
            valueMayFollow = false;
        } else if (OpensOperand(c)) {
            valueMayFollow = true;
        } else {
            return false;  // parameters (? : @ $ #) and anything SQLite would not take
        }
        m_text += c;
        ++i;
    }
    return !first;
}
