#include "SchemaPlan.h"

#include "ToolText.h"

std::vector<SchemaChange> PlanSchema(CDbSQLite& db)
{
    std::vector<SchemaChange> changes;
    CDbSQLite::ResultTable master;
    for (const TableSchema& table : CSchema::Tables()) {
        CString query;
        query.Format(L"SELECT * FROM sqlite_master where type='table' and name='%s'", table.name);
        if (db.SelectStatement(query, master) != 0 || master.GetRowCount() == 0) {
            changes.push_back({&table, nullptr});
            continue;
        }
        // The store's test: the name anywhere in the stored creation text counts as present.
        const std::wstring& createSql = master.GetValue(0, 4).Str();
        for (const ColumnUpgrade& upgrade : CSchema::Upgrades()) {
            if (std::wstring(upgrade.table) != table.name) continue;
            if (createSql.find(upgrade.column) == std::wstring::npos) changes.push_back({&table, &upgrade});
        }
    }
    return changes;
}

std::string SchemaChange::Describe() const
{
    if (!column) return "create table " + Narrow(table->name);
    return "add column " + Narrow(table->name) + "." + Narrow(column->column) + " " + Narrow(column->type);
}
