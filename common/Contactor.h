// One contact's membership in a contact group, as Common hands it around.
#pragma once

#include <boost/shared_ptr.hpp>

#include "PlatformTypes.h"

struct KIVOSTORE_API STContactor {
    LONG Cid = 0;
    LONG Uid = 0;
    LONG Gid = 0;
    LONG Flag = 0;  // set by the client, only carried here

    static boost::shared_ptr<STContactor> CreateObject();
};
