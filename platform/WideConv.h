// Decimal text to 32-bit numbers and back. Digits are read in 64 bits and the low 32 bits
// are kept, so a 32-bit value written with %u or %d reads back as the same 32-bit value.
#pragma once

#include <cstddef>

#include "PlatformTypes.h"

LONG _wtol(const wchar_t* text);
int _wtoi(const wchar_t* text);

// The decimal text of a number, as printf's %lld and %llu write it, placed so that it
// ends at end (kMaxDecimal characters are room for any); returns where it starts.
const size_t kMaxDecimal = 20;
wchar_t* FormatDecimal(int64_t value, wchar_t* end);
wchar_t* FormatUnsignedDecimal(uint64_t value, wchar_t* end);
