#include "DeptInfo.h"

#include <boost/make_shared.hpp>

boost::shared_ptr<STDeptInfo> STDeptInfo::CreateObject()
{
    return boost::make_shared<STDeptInfo>();
}
