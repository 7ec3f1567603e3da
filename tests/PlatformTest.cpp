// The platform stand-ins and Common's small helpers.
#include <gtest/gtest.h>

#include "CString.h"
#include "MiscFuncs.h"
#include "StringHelper.h"
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

TEST(Utf8, RoundTripsEverythingUtf8CanCarryAndReplacesTheRest)
{
    const std::wstring text = L"a\u00e9\u4e2d\U0001F600'";
    EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
    std::wstring lone;
    lone += static_cast<wchar_t>(0xD800);
    lone += static_cast<wchar_t>(0x110000);
    EXPECT_EQ(FromUtf8(ToUtf8(lone)), L"\uFFFD\uFFFD");
    EXPECT_EQ(FromUtf8(std::string("\xff\xc3", 2)), L"\uFFFD\uFFFD");
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

    const std::wstring now = CMiscFuncs::GetCurTime(0).Str();
    ASSERT_EQ(now.size(), 19u);
    EXPECT_EQ(now[4], L'-');
    EXPECT_EQ(now[10], L' ');
    EXPECT_EQ(now[16], L':');
}
