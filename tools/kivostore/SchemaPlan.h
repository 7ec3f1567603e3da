// What the store's first open of a file would change in its schema: the tables it would
// create, the columns it would add and the indexes it would make, found by the store's own
// rules without writing.
#pragma once

#include <string>
#include <vector>

#include "DbSQLite.h"
#include "Schema.h"

struct SchemaChange {
    const TableSchema* table;
    const ColumnUpgrade* column;  // null: the table is created, or its index made
    bool index = false;

    std::string Describe() const;
};

// In the order the store would make them.
std::vector<SchemaChange> PlanSchema(CDbSQLite& db);
