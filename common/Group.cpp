#include "Group.h"

#include <boost/make_shared.hpp>

boost::shared_ptr<STGroup> STGroup::CreateObject()
{
    return boost::make_shared<STGroup>();
}
