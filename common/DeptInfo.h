// One department of the organisation directory, as Common hands it around.
#pragma once

#include <string>

#include <boost/shared_ptr.hpp>

#include "PlatformTypes.h"

struct KIVOSTORE_API STDeptInfo {
    ULONG Cid = 0;
    ULONG Did = 0;
    ULONG PDid = 0;
    std::wstring Name;
    std::wstring Desp;
    ULONG UC = 0;
    std::wstring Fax;
    std::wstring HideDeptList;
    ULONG FirstChild = 0;
    ULONG NextSibling = 0;
    std::wstring Addr;
    std::wstring Tel;
    std::wstring Website;
    ULONG FirstChildUser = 0;
    LONG PartialFlag = 0;  // non-zero: only the numbers are known, the texts are not kept

    static boost::shared_ptr<STDeptInfo> CreateObject();
};
