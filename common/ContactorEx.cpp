#include "ContactorEx.h"

#include <boost/make_shared.hpp>

boost::shared_ptr<STContactorEx> STContactorEx::CreateObject()
{
    return boost::make_shared<STContactorEx>();
}
