// The platform stand-ins and Common's small helpers.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdarg>
#include <cstdint>
#include <cwctype>

#include "CString.h"
#include "MiscFuncs.h"
#include "StringHelper.h"
#include "TestDb.h"
#include "Utf8.h"
#include "WideConv.h"

TEST(WideConv, ReadsDecimalsAndKeepsTheLow32Bits)
{
    struct Case { const wchar_t* text; LONG expected; };
    const Case cases[] = {
        {L"42", 42}, {L"  -17xyz", -17}, {L"+8", 8}, {L"", 0}, {L"abc", 0}, {L"  42x", 42},
        {L"4294967295", -1}, {L"18446744073709551615", -1}, {L"2147483648", INT32_MIN},
        {L"-1", -1}, {L"\t 12 34", 12},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(_wtol(c.text), c.expected) << c.text;
        EXPECT_EQ(CStringHelper::ToLong(c.text), c.expected) << c.text;
        EXPECT_EQ(CStringHelper::ToInt(c.text), c.expected) << c.text;
    }
    EXPECT_EQ(_wtol(nullptr), 0);
    EXPECT_EQ(static_cast<ULONG>(_wtol(L"4000000000")), 4000000000u);
    EXPECT_EQ(CStringHelper::ToString(UINT64_MAX), L"18446744073709551615");
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
    ExpectSameAsPrintf(L"no conversion at all");
    ExpectSameAsPrintf(L"%d|%d|%d|%d|%i", 0, -1, INT32_MAX, INT32_MIN, -42);
    ExpectSameAsPrintf(L"%u|%u|%u|%u", 0u, 1u, 3000000000u, UINT32_MAX);
    ExpectSameAsPrintf(L"%ld|%ld|%li|%lu|%lu", LONG_MIN, LONG_MAX, -7L, 0UL, ULONG_MAX);
    for (long power = 1; power <= LONG_MAX / 10; power *= 10) {
        ExpectSameAsPrintf(L"%ld %ld %ld %ld %lu", power - 1, power, power + 1, -power, 10UL * power - 1);
    }
    ExpectSameAsPrintf(L"'%s','%ls','%s'", L"O''Neil \u674e\u56db \U0001F600", L"", L"x");
    ExpectSameAsPrintf(L"[%s]", static_cast<const wchar_t*>(nullptr));
    ExpectSameAsPrintf(L"100%% and %d%%%s", 5, L"%d %s");
    ExpectSameAsPrintf(L"%d%u%s%d", 1, 2u, L"three", 4);
    // Flags, widths, precisions and other conversions still go through printf.
    ExpectSameAsPrintf(L"%02d|%5s|%-3s|%c|%x|%.2s|% d|%+d", 7, L"bc", L"d", L'x', 255u, L"abc", 3, 4);
}

TEST(Utf8, ReplacesWhatUtf8CannotCarryAlsoAfterAsciiRuns)
{
    std::wstring lone;
    lone += static_cast<wchar_t>(0xD800);
    lone += static_cast<wchar_t>(0x110000);
    EXPECT_EQ(FromUtf8(ToUtf8(lone)), L"\uFFFD\uFFFD");
    EXPECT_EQ(FromUtf8(std::string("\xff\xc3", 2)), L"\uFFFD\uFFFD");
    // ASCII runs take a shorter road; what follows them still decodes and encodes in full.
    EXPECT_EQ(FromUtf8(std::string("ab\xc3\xa9\xff" "cd")), L"ab\u00e9\uFFFDcd");
    EXPECT_EQ(ToUtf8(std::wstring(L"ab") + static_cast<wchar_t>(0xD800) + L"\u00e9c"), "ab\xef\xbf\xbd\xc3\xa9" "c");
}

TEST(MiscFuncs, EscapesQuotesSplitsAndTellsTime)
{
    EXPECT_EQ(CMiscFuncs::Convert2SqlParam(L"O'Brien''s").Str(), L"O''Brien''''s");
    EXPECT_EQ(CMiscFuncs::Convert2SqlParam(nullptr).Str(), L"");
    EXPECT_EQ(CMiscFuncs::Convert2SqlParam(std::wstring(L"a\0b", 3)).Str(), L"a'||char(0)||'b");

    CStringArray parts;
    EXPECT_EQ(CMiscFuncs::SplitStr(L";12;;ab;", L';', parts), 2);
    EXPECT_EQ(parts.GetAt(0).Str(), L"12");
    EXPECT_EQ(parts.GetAt(1).Str(), L"ab");

    std::wstring shape;
    for (wchar_t c : std::wstring(CMiscFuncs::GetCurTime(0).Str())) shape += iswdigit(c) ? L'9' : c;
    EXPECT_EQ(shape, L"9999-99-99 99:99:99");
}

TEST(KivoLog, FileSinkAppendsUtf8Lines)
{
    TempDir dir;
    const std::string path = dir.File("kivo.log");
    ASSERT_TRUE(CKivoLog::OpenFile(path));
    CKivoLog::Print(L"CStore::SaveToDisk", L"\u4e2d", 5);
    CKivoLog::CloseSink();
    CKivoLog::Print(L"after close: nowhere");
    const std::string text = ReadFile(path);
    EXPECT_NE(text.find("CStore::SaveToDisk: \xe4\xb8\xad 5\n"), std::string::npos) << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
}
