// One part of the sample data of `kivostore demo`: what it fills through IStore, the
// mask bits that save it, and what it prints after the data came back from the file.
#pragma once

#include <vector>

class IStore;

struct DemoFamily {
    const char* name;
    unsigned int mask;
    void (*fill)(IStore& store, int scale);
    void (*report)(IStore& store);
};

const std::vector<DemoFamily>& DemoFamilies();

// Each family's definition, in its own file.
extern const DemoFamily kDemoDepartments;
extern const DemoFamily kDemoSessions;
extern const DemoFamily kDemoDirectory;
extern const DemoFamily kDemoContactList;
extern const DemoFamily kDemoContacts;
