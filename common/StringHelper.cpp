#include "StringHelper.h"

#include "WideConv.h"

// std::to_wstring goes through the wide printf; this writes the same digits directly.
std::wstring CStringHelper::ToString(uint64_t value)
{
    wchar_t digits[kMaxDecimal];
    wchar_t* const end = digits + kMaxDecimal;
    const wchar_t* start = FormatUnsignedDecimal(value, end);
    return std::wstring(start, static_cast<size_t>(end - start));
}

LONG CStringHelper::ToLong(const std::wstring& text)
{
    return _wtol(text.c_str());
}

int CStringHelper::ToInt(const std::wstring& text)
{
    return _wtoi(text.c_str());
}
