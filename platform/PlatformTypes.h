// Fixed-width stand-ins for the desktop framework's integer types: the interface's
// 32-bit contracts stay 32-bit on LP64.
#pragma once

#include <cstdint>

typedef int32_t BOOL;
typedef int32_t LONG;
typedef uint32_t ULONG;
typedef uint32_t UINT;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif
