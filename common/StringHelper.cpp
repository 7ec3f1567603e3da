#include "StringHelper.h"

#include "WideConv.h"

std::wstring CStringHelper::ToString(uint64_t value)
{
    return std::to_wstring(value);
}

LONG CStringHelper::ToLong(const std::wstring& text)
{
    return _wtol(text.c_str());
}

int CStringHelper::ToInt(const std::wstring& text)
{
    return _wtoi(text.c_str());
}
