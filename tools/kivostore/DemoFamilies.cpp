#include "DemoFamily.h"

const std::vector<DemoFamily>& DemoFamilies()
{
    static const std::vector<DemoFamily> families = {
        kDemoDepartments,

        // directory

        // contacts

        // sessions
    };
    return families;
}
