// One store of `kivostore dump`: its table name as in the mask table, and how its records
// are read through IStore and written. Each family of stores lives in its own file.
#pragma once

#include <vector>

#include "DbSQLite.h"
#include "DumpWriter.h"
#include "IStore.h"
#include "ToolText.h"

// What a dump reads: the store loaded from a copy of the file, and a read-only connection
// to that copy for the ids IStore keeps no list of.
struct DumpSource {
    IStore& store;
    CDbSQLite& copy;

    // The distinct ids in the first column of what sql selects, read as the stores read
    // them, in ascending order; none when the table is missing.
    std::vector<ULONG> Ids(const wchar_t* sql) const;
};

struct DumpStore {
    const wchar_t* table;
    void (*dump)(const DumpSource& source, DumpWriter& out);
};

const std::vector<DumpStore>& DirectoryDumps();
const std::vector<DumpStore>& ContactListDumps();
const std::vector<DumpStore>& ContactDumps();
const std::vector<DumpStore>& SessionDumps();
