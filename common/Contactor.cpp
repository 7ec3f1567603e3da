#include "Contactor.h"

#include <boost/make_shared.hpp>

boost::shared_ptr<STContactor> STContactor::CreateObject()
{
    return boost::make_shared<STContactor>();
}
