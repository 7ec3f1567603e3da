#include "DemoFamily.h"

const std::vector<DemoFamily>& DemoFamilies()
{
    static const std::vector<DemoFamily> families = {
        kDemoDepartments,

        // directory
        kDemoDirectory,

        // contact lists
        kDemoContactList,

        // groups, counters, recent contacts
        kDemoContacts,

        // sessions
        kDemoSessions,
    };
    return families;
}
