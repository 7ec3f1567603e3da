// kivostore check FILE [--upgrade] [--json]
#include <sys/stat.h>

#include <cstdarg>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "CheckReport.h"
#include "CommandLine.h"
#include "Commands.h"
#include "DbSQLite.h"
#include "IStore.h"
#include "Progress.h"
#include "SchemaPlan.h"
#include "SkippedRows.h"
#include "ToolText.h"
#include "UserFile.h"
#include "WideConv.h"

namespace {

const CommandSyntax kSyntax = {
    "usage: kivostore check FILE [--upgrade] [--json]\n"
    "\n"
    "Lists each table of FILE with its columns and row count, the tables and columns the\n"
    "store's first open would add, the rows a load would leave behind, the file's permissions\n"
    "(it holds a login token: group or others able to read it is reported), and the result\n"
    "of PRAGMA integrity_check. FILE is only read, and stays byte for byte as it was.\n"
    "\n"
    "  --upgrade   open FILE through the store first, which creates the missing tables and\n"
    "              adds the missing columns (this changes FILE, and switches it to WAL)\n"
    "  --json      the same as one JSON object\n",
    {"--upgrade", "--json"},
    {}};

std::wstring QuoteIdentifier(const std::wstring& name)
{
    std::wstring quoted = L"\"";
    for (wchar_t ch : name) quoted += ch == L'"' ? std::wstring(L"\"\"") : std::wstring(1, ch);
    return quoted + L"\"";
}

std::string Printf(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Printf(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    std::string line(static_cast<size_t>(std::vsnprintf(nullptr, 0, format, args)), '\0');
    std::vsnprintf(line.data(), line.size() + 1, format, again);
    va_end(again);
    va_end(args);
    return line;
}

void AddTables(CDbSQLite& db, const std::string& path, CheckReport& report)
{
    CDbSQLite::ResultTable tables;
    db.SelectStatement(L"select name from sqlite_master where type='table' order by name", tables);
    Progress progress("counting rows", "tables", tables.GetRowCount());
    std::string text = Printf("%s: %zu tables\n", path.c_str(), tables.GetRowCount());
    CheckReport::Value all = CheckReport::Value::array();
    for (size_t t = 0; t < tables.GetRowCount(); ++t) {
        const std::string name = Narrow(tables.GetValue(t, 0));
        const std::wstring quoted = QuoteIdentifier(tables.GetValue(t, 0).Str());
        CDbSQLite::ResultTable columns;
        CDbSQLite::ResultTable count;
        db.SelectStatement((L"PRAGMA table_info(" + quoted + L")").c_str(), columns);
        const LONG rc = db.SelectStatement((L"select count(*) from " + quoted).c_str(), count);
        progress.Add();
        CheckReport::Value table = {{"name", name}};
        std::string rows = "unreadable (" + Narrow(db.LastError()) + ")";
        if (rc == 0) {
            rows = Narrow(count.GetValue(0, 0));
            table["rows"] = std::stoull(rows);
        } else {
            table["error"] = Narrow(db.LastError());
        }
        text += Printf("%-26s %s rows\n", name.c_str(), rows.c_str());
        table["columns"] = CheckReport::Value::array();
        for (size_t c = 0; c < columns.GetRowCount(); ++c) {
            const std::string column = Narrow(columns.GetValue(c, 1));
            const std::string type = Narrow(columns.GetValue(c, 2));
            text += Printf("    %-22s %s\n", column.c_str(), type.c_str());
            table["columns"].push_back({{"name", column}, {"type", type}});
        }
        all.push_back(table);
    }
    report.Add("tables", all, text);
}

void AddSchemaChanges(const std::vector<SchemaChange>& changes, CheckReport& report)
{
    CheckReport::Value all = CheckReport::Value::array();
    std::string text = "schema changes a load would make: none\n";
    if (!changes.empty()) text = Printf("schema changes a load would make: %zu (check --upgrade applies them)\n", changes.size());
    for (const SchemaChange& change : changes) {
        all.push_back(change.Describe());
        text += "    " + change.Describe() + "\n";
    }
    report.Add("schemaChanges", all, text);
}

void AddSkippedRows(CDbSQLite& db, CheckReport& report)
{
    Progress progress("looking for rows a load leaves behind", "tables", SkippedRowsTables());
    const std::vector<SkippedRows> skipped = FindSkippedRows(db, &progress);
    progress.Finish();
    size_t total = 0;
    CheckReport::Value all = CheckReport::Value::array();
    std::string text;
    for (const SkippedRows& table : skipped) {
        total += table.rows;
        all.push_back({{"table", table.table}, {"rows", table.rows}, {"details", table.details}});
        text += Printf("    %s: %zu\n", table.table.c_str(), table.rows);
        for (const std::string& detail : table.details) text += "        " + detail + "\n";
    }
    text = total == 0 ? "rows a load would skip: none\n" : Printf("rows a load would skip: %zu\n", total) + text;
    report.Add("skippedRows", all, text);
}

// The file holds the fast-login token: whoever can read it can sign in as its owner.
void AddPermissions(const std::string& path, CheckReport& report)
{
    struct stat st;
    if (stat(path.c_str(), &st) != 0) return;
    const unsigned mode = st.st_mode & 0777;
    const bool exposed = (mode & (S_IRGRP | S_IROTH)) != 0;
    std::string text = Printf("permissions: %04o\n", mode);
    if (exposed) {
        text = Printf("permissions: %04o: group or others can read it, and it holds a login token (chmod 600 %s)\n",
                      mode, path.c_str());
    }
    report.Add("permissions", {{"mode", Printf("%04o", mode)}, {"othersCanRead", exposed}}, text);
}

// Every problem integrity_check finds, not only the first hundred. True when it found none.
bool AddIntegrity(CDbSQLite& db, CheckReport& report)
{
    CDbSQLite::ResultTable pages;
    db.SelectStatement(L"PRAGMA page_count", pages);
    Progress progress("integrity_check", "pages", static_cast<size_t>(_wtol(pages.GetValue(0, 0))));
    CDbSQLite::ResultTable found;
    const LONG rc = db.SelectStatement(L"PRAGMA integrity_check(2147483647)", found);
    progress.Finish();
    std::vector<std::string> problems;
    if (rc != 0) problems.push_back(Narrow(db.LastError()));
    for (size_t row = 0; rc == 0 && row < found.GetRowCount(); ++row) problems.push_back(Narrow(found.GetValue(row, 0)));
    const bool ok = problems.size() == 1 && problems.front() == "ok";
    if (ok) problems.clear();
    std::string text = "integrity_check: ok\n";
    if (!ok) {
        text = problems.size() == 1 ? "integrity_check: " + problems.front() + "\n"
                                    : Printf("integrity_check: %zu problems\n", problems.size());
        for (size_t k = 0; problems.size() > 1 && k < problems.size(); ++k) text += "    " + problems[k] + "\n";
    }
    report.Add("integrity", {{"ok", ok}, {"problems", problems}}, text);
    if (!ok) {
        const std::string when = "at the first open after a load or save has read a damaged page";
        report.Add("recovery", {{"when", when}},
                   "recovery: the store recovers FILE " + when + "; 'kivostore recover FILE OUT' does it now\n");
    }
    return ok;
}

// The journal mode byte of the file's header: "wal", "rollback", or "" when unreadable.
std::string JournalMode(const std::string& path)
{
    unsigned char header[20] = {};
    std::ifstream file(path, std::ios::binary);
    if (!file.read(reinterpret_cast<char*>(header), sizeof header)) return "";
    return header[18] == 2 ? "wal" : "rollback";
}

// Opens FILE through the store, which creates and upgrades; 0, or 1 after saying why not.
int Upgrade(const std::string& path, size_t planned, CheckReport& report)
{
    const std::string before = JournalMode(path);
    IStore* store = IStore::GetInstance();
    store->SetDBPath(WidePath(path));
    const BOOL opened = store->OpenDBFile();
    store->CloseDBFile();
    if (!opened) return FileError(path, "cannot be opened for writing");

    CDbSQLite db;
    if (!OpenForReading(path, db)) return 1;
    const std::vector<SchemaChange> left = PlanSchema(db);
    if (!left.empty()) return FileError(path, "the upgrade stopped at: " + left.front().Describe());
    const std::string after = JournalMode(path);
    std::string text = Printf("upgraded: %zu schema changes made\n", planned);
    if (before != after) {
        text += "journal mode: " + before + " -> " + after + " (the store's open switched it)\n";
    }
    report.Add("upgrade", {{"schemaChanges", planned}, {"journalModeBefore", before}, {"journalMode", after}}, text);
    return 0;
}

}  // namespace

int RunCheck(const std::vector<std::string>& args)
{
    CommandLine line;
    if (int exit = ParseCommandLine(args, kSyntax, line); exit >= 0) return exit;
    const std::string& path = line.file;

    CheckReport report;
    CDbSQLite db;
    if (!OpenForReading(path, db)) return 1;
    if (line.Has("--upgrade")) {
        const size_t planned = PlanSchema(db).size();
        db.Close();
        if (int exit = Upgrade(path, planned, report); exit != 0) return exit;
        if (!OpenForReading(path, db)) return 1;
    }
    AddTables(db, path, report);
    AddSchemaChanges(PlanSchema(db), report);
    AddSkippedRows(db, report);
    AddPermissions(path, report);
    const bool intact = AddIntegrity(db, report);
    report.Print(stdout, line.Has("--json"));
    return intact ? 0 : 1;
}
