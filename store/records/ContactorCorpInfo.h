// One corporation a contact belongs to, as the contact lists carry it.
#pragma once

#include <string>

#include "PlatformTypes.h"

struct STContactorCorpInfo {
    ULONG cid = 0;
    std::wstring useraccount;
    std::wstring corpaccount;
    std::wstring name;
    LONG gender = 0;
    std::wstring sign;
    std::wstring mobile;
    std::wstring email;
    ULONG roleid = 0;
    LONG headpic = 0;
    LONG privacyflag = 0;
    LONG birth = 0;
    std::wstring pos;
    std::wstring tel;
    std::wstring desp;
    std::wstring hidedeptlist;
    LONG authority = 0;
    std::wstring posdepts;
    std::wstring posdetails;
};
