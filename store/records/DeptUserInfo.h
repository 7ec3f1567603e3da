// The members of one department: user id to the next user in the department's order.
#pragma once

#include <map>

#include "PlatformTypes.h"

struct STDeptUserInfo {
    ULONG Did = 0;
    std::map<ULONG, ULONG> mapUser;
};
