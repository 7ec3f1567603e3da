// One corporation of the directory, field for field the columns of table CorpInfo.
#pragma once

#include <string>

#include "PlatformTypes.h"

struct STCorpInfo {
    ULONG Cid = 0;
    std::wstring Account;
    std::wstring Name;
    std::wstring CnName;
    std::wstring Domain;
    ULONG State = 0;
    ULONG LicenseNum = 0;
    ULONG userCard = 0;
    ULONG logoType = 0;
    std::wstring EnName;
    std::wstring Nation;
    std::wstring Provience;
    std::wstring City;
    std::wstring Country;
    std::wstring Address;
    ULONG Type = 0;
    std::wstring Description;
    ULONG zipCode = 0;
    std::wstring Tel;
    std::wstring Fax;
    std::wstring Contactor;
    std::wstring Email;
    std::wstring Website;
    ULONG Capital = 0;
    ULONG EmployeeNum = 0;
    ULONG PcNum = 0;
    ULONG regDate = 0;
    std::wstring Slogn;
    std::wstring config;
    ULONG maxUser = 0;
    // An attribute of the record; the corporation update counter is kept apart.
    ULONG CorpUc = 0;
};
