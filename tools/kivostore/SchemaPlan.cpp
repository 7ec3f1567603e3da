#include "SchemaPlan.h"

#include "ToolText.h"

namespace {

// The name in "create index if not exists NAME on ...".
std::wstring IndexName(const wchar_t* indexSql)
{
    const std::wstring text = indexSql;
    const std::wstring before = L" exists ";
    const size_t start = text.find(before) + before.size();
    return text.substr(start, text.find(L' ', start) - start);
}

bool HasIndex(CDbSQLite& db, const wchar_t* indexSql)
{
    CDbSQLite::ResultTable found;
    const std::wstring query =
        L"select count(*) from sqlite_master where type='index' and name='" + IndexName(indexSql) + L"'";
    return db.SelectStatement(query.c_str(), found) == 0 && found.GetValue(0, 0).Str() != L"0";
}

}  // namespace

std::vector<SchemaChange> PlanSchema(CDbSQLite& db)
{
    std::vector<SchemaChange> changes;
    CDbSQLite::ResultTable master;
    for (const TableSchema& table : CSchema::Tables()) {
        if (db.SelectStatement(CSchema::MasterRowQuery(table.name), master) != 0 || master.GetRowCount() == 0) {
            changes.push_back({&table, nullptr});
            if (table.indexSql) changes.push_back({&table, nullptr, true});
            continue;
        }
        const std::wstring& createSql = master.GetValue(0, 4).Str();
        for (const ColumnUpgrade& upgrade : CSchema::Upgrades()) {
            if (std::wstring(upgrade.table) != table.name) continue;
            if (!CSchema::CreateTextHasColumn(createSql, upgrade.column)) changes.push_back({&table, &upgrade});
        }
        if (table.indexSql && !HasIndex(db, table.indexSql)) changes.push_back({&table, nullptr, true});
    }
    return changes;
}

std::string SchemaChange::Describe() const
{
    if (index) return "create index " + Narrow(IndexName(table->indexSql)) + " on " + Narrow(table->name);
    if (!column) return "create table " + Narrow(table->name);
    return "add column " + Narrow(table->name) + "." + Narrow(column->column) + " " + Narrow(column->type);
}
