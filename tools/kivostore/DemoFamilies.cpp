#include "DemoFamily.h"

const std::vector<DemoFamily>& DemoFamilies()
{
    static const std::vector<DemoFamily> families = {
        kDemoDepartments,

        // directory

        // contact lists
        kDemoContactList,

        // groups, counters, recent contacts

        // sessions
    };
    return families;
}
