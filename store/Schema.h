// The tables of the database file: creation texts and the column upgrades of older files.
#pragma once

#include <string>
#include <vector>

#include "CString.h"

struct TableSchema {
    const wchar_t* name;
    const wchar_t* createSql;
    // Made with the table and on every examination of an older file; null: none.
    const wchar_t* indexSql = nullptr;
};

struct ColumnUpgrade {
    const wchar_t* table;
    const wchar_t* column;
    const wchar_t* type;
};

struct CounterColumn {
    const wchar_t* table;
    const wchar_t* column;
};

class CSchema {
public:
    // Every table the stores use, in creation order.
    static const std::vector<TableSchema>& Tables();
    // Columns added to an existing table when missing, in order.
    static const std::vector<ColumnUpgrade>& Upgrades();
    // The update counters. A client that finds one at 0 fetches that data set again.
    static const std::vector<CounterColumn>& Counters();
    // Statements that set every update counter of a file to 0 (UTF-8).
    static std::vector<std::string> CounterResets();
    // The query for a table's row in sqlite_master (its creation text is column 4).
    static CString MasterRowQuery(const wchar_t* table);
    // Whether a stored creation text has a column. A plain substring test, as older clients
    // made it: a name inside another name or a type counts as present.
    static bool CreateTextHasColumn(const std::wstring& createSql, const wchar_t* column);
};
