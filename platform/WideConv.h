// Decimal text to 32-bit numbers. Digits are read in 64 bits and the low 32 bits are
// kept, so a 32-bit value written with %u or %d reads back as the same 32-bit value.
#pragma once

#include "PlatformTypes.h"

LONG _wtol(const wchar_t* text);
int _wtoi(const wchar_t* text);
