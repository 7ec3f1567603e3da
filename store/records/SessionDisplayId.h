// One (session id, display id) pair; a session may carry several display ids.
#pragma once

#include "PlatformTypes.h"

struct STSessionDisplayId {
    LONG SessionId = 0;
    LONG DisplayId = 0;
};
