#include "WideConv.h"

#include <cwctype>

namespace {

const char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Two digits a division: numbers are written for every integer cell a query reads.
wchar_t* FormatMagnitude(uint64_t magnitude, wchar_t* p)
{
    while (magnitude >= 100) {
        const size_t pair = static_cast<size_t>(magnitude % 100) * 2;
        magnitude /= 100;
        *--p = static_cast<wchar_t>(kDigitPairs[pair + 1]);
        *--p = static_cast<wchar_t>(kDigitPairs[pair]);
    }
    if (magnitude >= 10) {
        const size_t pair = static_cast<size_t>(magnitude) * 2;
        *--p = static_cast<wchar_t>(kDigitPairs[pair + 1]);
        *--p = static_cast<wchar_t>(kDigitPairs[pair]);
    } else {
        *--p = static_cast<wchar_t>(L'0' + magnitude);
    }
    return p;
}

}  // namespace

LONG _wtol(const wchar_t* text)
{
    if (!text) return 0;
    const wchar_t* p = text;
    // A number read back from a table starts with its sign or digit: no locale look-up.
    if (!((*p >= L'0' && *p <= L'9') || *p == L'-' || *p == L'+')) {
        while (*p && std::iswspace(static_cast<wint_t>(*p))) ++p;
    }
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

wchar_t* FormatDecimal(int64_t value, wchar_t* end)
{
    if (value >= 0) return FormatMagnitude(static_cast<uint64_t>(value), end);
    // The magnitude of INT64_MIN fits only in unsigned arithmetic.
    wchar_t* p = FormatMagnitude(0 - static_cast<uint64_t>(value), end);
    *--p = L'-';
    return p;
}

wchar_t* FormatUnsignedDecimal(uint64_t value, wchar_t* end)
{
    return FormatMagnitude(value, end);
}
