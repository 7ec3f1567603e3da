// The part of a contact that Common describes: who the contact is to the user.
#pragma once

#include <string>

#include <boost/shared_ptr.hpp>

#include "PlatformTypes.h"

struct KIVOSTORE_API STContactorEx {
    ULONG uid = 0;
    LONG origintype = 0;
    std::wstring markname;
    LONG flag = 0;
    ULONG groupid = 0;

    static boost::shared_ptr<STContactorEx> CreateObject();
};
