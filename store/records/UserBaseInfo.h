// One user of the directory, and the (corporation, user) pair that names one.
#pragma once

#include <string>

#include "PlatformTypes.h"

struct STUserBaseInfo {
    ULONG Cid = 0;
    ULONG Uid = 0;
    std::wstring Account;
    std::wstring CorpAccount;
    std::wstring Name;
    LONG Gender = 1;
    ULONG ExistFlag = 1;   // 0: softly removed
    LONG PartialFlag = 0;  // non-zero: the texts and Gender are not known
    std::wstring PositionEx;  // "id[,x];id[,x];..."
    LONG ActiveState = 1;
};

struct STUserId {
    ULONG Cid = 0xFFFFFFFF;
    ULONG Uid = 0xFFFFFFFF;
};
