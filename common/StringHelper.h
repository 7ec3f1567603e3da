// Decimal conversions used by the contact records.
#pragma once

#include <cstdint>
#include <string>

#include "PlatformTypes.h"

class CStringHelper {
public:
    static std::wstring ToString(uint64_t value);
    // Keep the low 32 bits of a larger decimal, so -1 written as 4294967295 or
    // 18446744073709551615 reads back as -1.
    static LONG ToLong(const std::wstring& text);
    static int ToInt(const std::wstring& text);
};
