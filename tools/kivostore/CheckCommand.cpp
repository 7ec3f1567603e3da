// kivostore check FILE [--upgrade]
#include <sys/stat.h>

#include <cstdio>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "Commands.h"
#include "DbSQLite.h"
#include "IStore.h"
#include "SchemaPlan.h"
#include "SkippedRows.h"
#include "ToolText.h"
#include "UserFile.h"

namespace {

const CommandSyntax kSyntax = {
    "usage: kivostore check FILE [--upgrade]\n"
    "\n"
    "Lists each table of FILE with its columns and row count, the tables and columns the\n"
    "store's first open would add, the rows a load would leave behind, the file's permissions\n"
    "(it holds a login token: group or others able to read it is reported), and the result\n"
    "of PRAGMA integrity_check. FILE is only read, and stays byte for byte as it was.\n"
    "\n"
    "  --upgrade   open FILE through the store first, which creates the missing tables and\n"
    "              adds the missing columns (this changes FILE)\n",
    {"--upgrade"},
    {}};

std::wstring QuoteIdentifier(const std::wstring& name)
{
    std::wstring quoted = L"\"";
    for (wchar_t ch : name) quoted += ch == L'"' ? std::wstring(L"\"\"") : std::wstring(1, ch);
    return quoted + L"\"";
}

void PrintTable(CDbSQLite& db, const CString& name)
{
    CDbSQLite::ResultTable columns;
    CDbSQLite::ResultTable count;
    const std::wstring quoted = QuoteIdentifier(name.Str());
    db.SelectStatement((L"PRAGMA table_info(" + quoted + L")").c_str(), columns);
    LONG rc = db.SelectStatement((L"select count(*) from " + quoted).c_str(), count);
    std::string rows = rc == 0 ? Narrow(count.GetValue(0, 0)) : "unreadable (" + Narrow(db.LastError()) + ")";
    std::printf("%-26s %s rows\n", Narrow(name).c_str(), rows.c_str());
    for (size_t c = 0; c < columns.GetRowCount(); ++c) {
        std::printf("    %-22s %s\n", Narrow(columns.GetValue(c, 1)).c_str(), Narrow(columns.GetValue(c, 2)).c_str());
    }
}

void PrintSchemaChanges(const std::vector<SchemaChange>& changes)
{
    if (changes.empty()) {
        std::printf("schema changes a load would make: none\n");
        return;
    }
    std::printf("schema changes a load would make: %zu (check --upgrade applies them)\n", changes.size());
    for (const SchemaChange& change : changes) std::printf("    %s\n", change.Describe().c_str());
}

void PrintSkippedRows(const std::vector<SkippedRows>& skipped)
{
    size_t total = 0;
    for (const SkippedRows& table : skipped) total += table.rows;
    if (total == 0) {
        std::printf("rows a load would skip: none\n");
        return;
    }
    std::printf("rows a load would skip: %zu\n", total);
    for (const SkippedRows& table : skipped) {
        std::printf("    %s: %zu\n", table.table.c_str(), table.rows);
        for (const std::string& detail : table.details) std::printf("        %s\n", detail.c_str());
    }
}

// The file holds the fast-login token: whoever can read it can sign in as its owner.
void PrintPermissions(const std::string& path)
{
    struct stat st;
    if (stat(path.c_str(), &st) != 0) return;
    const unsigned mode = st.st_mode & 0777;
    if ((mode & (S_IRGRP | S_IROTH)) == 0) {
        std::printf("permissions: %04o\n", mode);
        return;
    }
    std::printf("permissions: %04o: group or others can read it, and it holds a login token (chmod 600 %s)\n", mode,
                path.c_str());
}

// Opens FILE through the store, which creates and upgrades; 0, or 1 after saying why not.
int Upgrade(const std::string& path, size_t planned)
{
    IStore* store = IStore::GetInstance();
    store->SetDBPath(WidePath(path));
    const BOOL opened = store->OpenDBFile();
    store->CloseDBFile();
    if (!opened) return FileError(path, "cannot be opened for writing");

    CDbSQLite db;
    if (!OpenForReading(path, db)) return 1;
    const std::vector<SchemaChange> left = PlanSchema(db);
    if (!left.empty()) return FileError(path, "the upgrade stopped at: " + left.front().Describe());
    std::printf("upgraded: %zu schema changes made\n", planned);
    return 0;
}

}  // namespace

int RunCheck(const std::vector<std::string>& args)
{
    CommandLine line;
    if (int exit = ParseCommandLine(args, kSyntax, line); exit >= 0) return exit;
    const std::string& path = line.file;

    CDbSQLite db;
    if (!OpenForReading(path, db)) return 1;
    if (line.Has("--upgrade")) {
        const size_t planned = PlanSchema(db).size();
        db.Close();
        if (int exit = Upgrade(path, planned); exit != 0) return exit;
        if (!OpenForReading(path, db)) return 1;
    }

    CDbSQLite::ResultTable tables;
    db.SelectStatement(L"select name from sqlite_master where type='table' order by name", tables);
    std::printf("%s: %zu tables\n", path.c_str(), tables.GetRowCount());
    for (size_t t = 0; t < tables.GetRowCount(); ++t) PrintTable(db, tables.GetValue(t, 0));
    PrintSchemaChanges(PlanSchema(db));
    PrintSkippedRows(FindSkippedRows(db));
    PrintPermissions(path);

    CDbSQLite::ResultTable integrity;
    LONG rc = db.SelectStatement(L"PRAGMA integrity_check", integrity);
    const std::string verdict = rc == 0 ? Narrow(integrity.GetValue(0, 0)) : Narrow(db.LastError());
    std::printf("integrity_check: %s\n", verdict.c_str());
    if (verdict == "ok") return 0;
    std::printf("recovery: the store recovers FILE at the first open after a load or save has read a damaged "
                "page; 'kivostore recover FILE OUT' does it now\n");
    return 1;
}
