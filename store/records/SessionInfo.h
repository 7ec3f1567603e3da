// One conversation of the client's session list, exchanged by value.
#pragma once

#include <string>

#include "PlatformTypes.h"

struct STSessionInfo {
    LONG SessionId = 0;
    LONG RoomId = 0;
    std::wstring Title;
    ULONG Cid = 0xFFFFFFFF;
    ULONG Uid = 0xFFFFFFFF;
    LONG CreateSource = 0;
    std::wstring Transfer;
};
