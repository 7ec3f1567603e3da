#include "WideConv.h"

#include <cwctype>

LONG _wtol(const wchar_t* text)
{
    if (!text) return 0;
    const wchar_t* p = text;
    while (*p && std::iswspace(static_cast<wint_t>(*p))) ++p;
    bool negative = false;
    if (*p == L'+' || *p == L'-') negative = (*p++ == L'-');
    uint64_t value = 0;
    for (; *p >= L'0' && *p <= L'9'; ++p) value = value * 10 + static_cast<uint64_t>(*p - L'0');
    if (negative) value = ~value + 1;
    return static_cast<LONG>(static_cast<uint32_t>(value));
}

int _wtoi(const wchar_t* text)
{
    return static_cast<int>(_wtol(text));
}
