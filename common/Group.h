// One contact group: a numeric id and a display name, as Common hands it around.
#pragma once

#include <string>

#include <boost/shared_ptr.hpp>

#include "PlatformTypes.h"

struct KIVOSTORE_API STGroup {
    LONG Gid = 0;
    std::wstring Name;

    static boost::shared_ptr<STGroup> CreateObject();
};
