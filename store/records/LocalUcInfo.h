// The caller's snapshot of seven update counters, read and set in one call.
#pragma once

#include "PlatformTypes.h"

struct LocalUcInfo {
    ULONG Reserved = 0;  // belongs to the caller; never read or written by the store
    ULONG Corp = 0;
    ULONG ColleagueGroup = 0;
    ULONG ColleagueList = 0;
    ULONG ContactorGroup = 0;
    ULONG ContactorList = 0;
    ULONG UserQGroupList = 0;
    ULONG UserNGroupList = 0;
};
