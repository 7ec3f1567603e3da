// One contact of the contact list or the stranger list. The table keeps it as JSON text;
// the two extra texts live in memory only.
#pragma once

#include <map>
#include <string>

#include "ContactorCorpInfo.h"
#include "ContactorEx.h"
#include "PlatformTypes.h"

struct STContactInfo {
    LONG ExistFlag = 1;
    STContactorEx contactor;
    ULONG cid = 0;
    ULONG uid = 0;  // the contact's id
    std::wstring account;
    std::wstring name;
    LONG gender = 0;
    std::wstring pos;
    LONG origintype = 0;
    std::wstring sign;
    std::wstring mobile;
    std::wstring email;
    LONG headpic = 0;
    LONG privacyflag = 0;
    std::wstring extra1;
    LONG birth = 0;
    std::wstring bindmobile;
    std::wstring regip;
    LONG regport = 0;
    LONG score = 0;
    LONG wealth = 0;
    LONG level = 0;
    std::wstring extra2;
    std::map<ULONG, STContactorCorpInfo> mapCorpInfo;  // by corporation id
};
