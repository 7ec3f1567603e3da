// The platform stand-ins and Common's small helpers.
#include <gtest/gtest.h>

#include <climits>
#include <cstdarg>
#include <cstdint>

#include "CString.h"
#include "MiscFuncs.h"
#include "StringHelper.h"
#include "WideConv.h"
#include "WideFormat.h"

TEST(WideConv, ReadsDecimalsAndKeepsTheLow32Bits)
{
    struct Case { const wchar_t* text; LONG expected; };
    const Case cases[] = {
        {L"  -17xyz", -17}, {L"+8", 8}, {L"", 0}, {L"abc", 0}, {L"\t 12 34", 12},
        {L"4294967295", -1}, {L"18446744073709551615", -1}, {L"2147483648", INT32_MIN},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(_wtol(c.text), c.expected) << c.text;
        EXPECT_EQ(CStringHelper::ToLong(c.text), c.expected) << c.text;
        EXPECT_EQ(CStringHelper::ToInt(c.text), c.expected) << c.text;
    }
    EXPECT_EQ(_wtol(nullptr), 0);
}

namespace {

std::wstring Through(std::wstring (*formatter)(const wchar_t*, va_list), const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    std::wstring text = formatter(format, args);
    va_end(args);
    return text;
}

template <typename... Args>
void ExpectSameAsPrintf(const wchar_t* format, Args... args)
{
    EXPECT_EQ(Through(WideFormatV, format, args...), Through(WidePrintfV, format, args...)) << format;
}

}  // namespace

// The store's statement and log texts skip glibc's wide printf; they must not differ by a
// character from what it writes.
TEST(CStringFormat, DirectFormattingWritesWhatWidePrintfWrites)
{
    ExpectSameAsPrintf(L"%d|%d|%d|%i", -1, INT32_MAX, INT32_MIN, 0);
    ExpectSameAsPrintf(L"%u|%u|%ld|%lu", 3000000000u, UINT32_MAX, LONG_MIN, ULONG_MAX);
    for (long power = 1; power <= LONG_MAX / 10; power *= 10) {
        ExpectSameAsPrintf(L"%ld %ld %ld %lu", power - 1, power, -power, 10UL * power - 1);
    }
    ExpectSameAsPrintf(L"'%s','%ls'[%s]", L"O''Neil \u674e\u56db \U0001F600", L"", static_cast<const wchar_t*>(nullptr));
    ExpectSameAsPrintf(L"100%% and %d%%%s", 5, L"%d %s");
    // Flags, widths, precisions and other conversions still go through printf.
    ExpectSameAsPrintf(L"%02d|%5s|%-3s|%c|%x|%.2s|% d|%+d", 7, L"bc", L"d", L'x', 255u, L"abc", 3, 4);
}

// A NUL must not cut the text short in the statement.
TEST(MiscFuncs, Convert2SqlParamDoublesQuotesAndSplicesNul)
{
    EXPECT_EQ(CMiscFuncs::Convert2SqlParam(L"O'Brien''s").Str(), L"O''Brien''''s");
    EXPECT_EQ(CMiscFuncs::Convert2SqlParam(std::wstring(L"a\0b", 3)).Str(), L"a'||char(0)||'b");
}
