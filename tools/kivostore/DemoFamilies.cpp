#include "DemoFamily.h"

const std::vector<DemoFamily>& DemoFamilies()
{
    static const std::vector<DemoFamily> families = {
        kDemoDepartments,

        // directory

        // contact lists

        // groups, counters, recent contacts
        kDemoContacts,

        // sessions
    };
    return families;
}
