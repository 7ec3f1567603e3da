// Fixed-width stand-ins for the desktop framework's integer types: the interface's
// 32-bit contracts stay 32-bit on LP64. Plain C, for the C-linkage headers too.
#pragma once

#include <stdint.h>

// What the module exports; the rest of it is hidden (-fvisibility=hidden).
#define KIVOSTORE_API __attribute__((visibility("default")))

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
