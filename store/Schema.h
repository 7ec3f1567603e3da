// The tables of the database file: creation texts and the column upgrades of older files.
#pragma once

#include <vector>

struct TableSchema {
    const wchar_t* name;
    const wchar_t* createSql;
};

struct ColumnUpgrade {
    const wchar_t* table;
    const wchar_t* column;
    const wchar_t* type;
};

class CSchema {
public:
    // Every table the stores use, in creation order.
    static const std::vector<TableSchema>& Tables();
    // Columns added to an existing table when missing, in order.
    static const std::vector<ColumnUpgrade>& Upgrades();
};
