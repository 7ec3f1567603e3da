#include "SchemaPlan.h"

#include "ToolText.h"

std::vector<SchemaChange> PlanSchema(CDbSQLite& db)
{
    std::vector<SchemaChange> changes;
    CDbSQLite::ResultTable master;
    for (const TableSchema& table : CSchema::Tables()) {
        if (db.SelectStatement(CSchema::MasterRowQuery(table.name), master) != 0 || master.GetRowCount() == 0) {
            changes.push_back({&table, nullptr});
            continue;
        }
        const std::wstring& createSql = master.GetValue(0, 4).Str();
        for (const ColumnUpgrade& upgrade : CSchema::Upgrades()) {
            if (std::wstring(upgrade.table) != table.name) continue;
            if (!CSchema::CreateTextHasColumn(createSql, upgrade.column)) changes.push_back({&table, &upgrade});
        }
    }
    return changes;
}

std::string SchemaChange::Describe() const
{
    if (!column) return "create table " + Narrow(table->name);
    return "add column " + Narrow(table->name) + "." + Narrow(column->column) + " " + Narrow(column->type);
}
