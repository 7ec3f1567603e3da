// Rows of a file that a load leaves behind: rows whose key an earlier or later row of the
// same table takes, contact rows whose JSON the contact store cannot read, counter rows
// beside the one value read, and recent contacts beyond those a load keeps.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "DbSQLite.h"
#include "Progress.h"

struct SkippedRows {
    std::string table;
    size_t rows = 0;                   // how many rows a load leaves behind
    std::vector<std::string> details;  // a few examples, then how many more
};

// One entry per table that has such rows; tables the file lacks are passed over. only,
// when not empty, names the tables to look at; progress (may be null) counts the tables.
// How many tables FindSkippedRows looks at, for its progress.
size_t SkippedRowsTables();

std::vector<SkippedRows> FindSkippedRows(CDbSQLite& db, Progress* progress = nullptr,
                                         const std::set<std::string>& only = {});
