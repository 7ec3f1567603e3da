// One recent contact: its id, the client's kind number, and the time of the last
// contact (larger is later).
#pragma once

#include "PlatformTypes.h"

struct STRecentContactor {
    LONG recentId = 0;
    LONG type = 0;
    LONG time = 0;
};
