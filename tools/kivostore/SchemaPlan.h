// What the store's first open of a file would change in its schema: the tables it would
// create and the columns it would add, found by the store's own rules without writing.
#pragma once

#include <string>
#include <vector>

#include "DbSQLite.h"
#include "Schema.h"

struct SchemaChange {
    const TableSchema* table;
    const ColumnUpgrade* column;  // null: the table is created

    std::string Describe() const;
};

// In the order the store would make them.
std::vector<SchemaChange> PlanSchema(CDbSQLite& db);
