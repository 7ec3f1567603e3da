// kivostore dump FILE [--store NAME] [--limit N] [--json]
//
// A load writes (missing tables and columns, the fast-login row of an empty table), so
// the store loads a copy taken through a read-only connection, never FILE itself.
#include <stdlib.h>
#include <unistd.h>

#include <clocale>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "Commands.h"
#include "DumpFamily.h"
#include "Progress.h"
#include "SchemaPlan.h"
#include "SkippedRows.h"
#include "Store.h"
#include "UserFile.h"
#include "WideConv.h"

namespace {

const CommandSyntax kSyntax = {
    "usage: kivostore dump FILE [--store NAME] [--limit N] [--json]\n"
    "\n"
    "Loads FILE through the store and prints what every store holds, then the number of\n"
    "records of each. FILE is only read: the store loads a private copy of it. Steps that\n"
    "take over a second report their progress on stderr.\n"
    "\n"
    "  --store NAME   only the store of table NAME (DeptInfo, UserBaseInfo, ContactListInfo, ...);\n"
    "                 only that store is loaded\n"
    "  --limit N      at most N records of each store (the counts stay whole)\n"
    "  --json         one JSON object per line: each record with a \"store\" member, then\n"
    "                 {\"counts\": {...}}\n",
    {"--json"},
    {"--store", "--limit"}};

// A folder only this user can read, for the copy of the user's data. It goes on every way
// out: a return, an interrupt, a reader of the output that quit early.
class PrivateFolder {
public:
    PrivateFolder()
    {
        std::error_code error;
        std::string pattern = (std::filesystem::temp_directory_path(error) / "kivostore-dump-XXXXXX").string();
        if (error || pattern.size() + 32 > sizeof s_paths[0] || !mkdtemp(pattern.data())) return;
        m_path = pattern;
        const char* const names[] = {"/copy.db-wal", "/copy.db-shm", "/copy.db-journal", "/copy.db", ""};
        for (size_t k = 0; k < kPaths; ++k) {
            std::snprintf(s_paths[k], sizeof s_paths[k], "%s%s", m_path.c_str(), names[k]);
        }
        for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) std::signal(signal, OnSignal);
    }
    ~PrivateFolder()
    {
        if (m_path.empty()) return;
        for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) std::signal(signal, SIG_DFL);
        std::error_code error;
        std::filesystem::remove_all(m_path, error);
    }
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;
    const std::string& Path() const { return m_path; }

private:
    static constexpr size_t kPaths = 5;  // the copy and what SQLite puts beside it, then the folder

    // Only calls that are safe in a signal handler.
    static void RemoveOnSignal()
    {
        for (size_t k = 0; k + 1 < kPaths; ++k) unlink(s_paths[k]);
        rmdir(s_paths[kPaths - 1]);
    }
    static void OnSignal(int signal)
    {
        RemoveOnSignal();
        std::signal(signal, SIG_DFL);
        std::raise(signal);
    }

    std::string m_path;
    static char s_paths[kPaths][4096];
};

char PrivateFolder::s_paths[PrivateFolder::kPaths][4096];

const DumpStore* FindDump(const std::wstring& table)
{
    for (const auto* family : {&DirectoryDumps(), &ContactListDumps(), &ContactDumps(), &SessionDumps()}) {
        for (const DumpStore& store : *family) {
            if (table == store.table) return &store;
        }
    }
    return nullptr;
}

bool IsStoreName(const std::wstring& name)
{
    for (const CStore::MaskRow& row : CStore::MaskTable()) {
        if (name == row.table) return true;
    }
    return false;
}

int UnknownStore(const std::string& name)
{
    std::string names;
    for (const CStore::MaskRow& row : CStore::MaskTable()) names += "\n  " + Narrow(row.table);
    return UsageError(kSyntax.usage, "unknown store '" + name + "'; the stores are:" + names);
}

// What the copy got that FILE has not, and what the load leaves behind of the tables
// shown, on stderr.
void NoteDifferences(const std::string& path, CDbSQLite& file, const std::set<std::string>& tables)
{
    const size_t changes = PlanSchema(file).size();
    if (changes > 0) {
        std::fprintf(stderr,
                     "kivostore: note: %s has an older schema (%zu changes); shown as the store loads it after "
                     "upgrading; 'kivostore check --upgrade' upgrades the file itself\n",
                     path.c_str(), changes);
    }
    size_t skipped = 0;
    Progress progress("looking for rows a load leaves behind", "tables", SkippedRowsTables());
    for (const SkippedRows& table : FindSkippedRows(file, &progress, tables)) skipped += table.rows;
    progress.Finish();
    if (skipped > 0) {
        std::fprintf(stderr, "kivostore: note: a load leaves %zu rows of %s behind; 'kivostore check' lists them\n",
                     skipped, path.c_str());
    }
}

// Every row of the mask table that the dump shows, in the table's order.
std::vector<CStore::MaskRow> Selected(const std::wstring& only)
{
    std::vector<CStore::MaskRow> rows;
    for (const CStore::MaskRow& row : CStore::MaskTable()) {
        if (only.empty() || only == row.table) rows.push_back(row);
    }
    return rows;
}

size_t Number(CDbSQLite& db, const std::wstring& sql)
{
    CDbSQLite::ResultTable result;
    if (db.SelectStatement(sql.c_str(), result) != 0 || result.GetRowCount() == 0) return 0;
    return static_cast<size_t>(std::wcstoull(result.GetValue(0, 0), nullptr, 10));
}

// The rows of each table in FILE, for the progress of the load; 0 for a missing table.
std::map<std::wstring, size_t> RowCounts(CDbSQLite& file, const std::vector<CStore::MaskRow>& rows, Progress& progress)
{
    std::map<std::wstring, size_t> counts;
    for (const CStore::MaskRow& row : rows) {
        counts[row.table] = Number(file, L"select count(*) from \"" + std::wstring(row.table) + L"\"");
        progress.Add();
    }
    return counts;
}

// Loads the stores the rows name, one mask bit at a time so each reports its own progress.
bool Load(IStore& store, const std::vector<CStore::MaskRow>& rows, const std::map<std::wstring, size_t>& counts)
{
    std::map<unsigned int, std::pair<std::string, size_t>> steps;  // by bit: the tables it loads, their rows
    for (const CStore::MaskRow& row : rows) {
        auto& step = steps[row.bit];
        step.first += (step.first.empty() ? "" : ", ") + Narrow(row.table);
        step.second += counts.at(row.table);
    }
    for (const CStore::MaskRow& row : rows) {
        const auto step = steps.find(row.bit);
        if (step == steps.end()) continue;
        Progress progress("loading " + step->second.first, "rows", step->second.second);
        if (!store.LoadFromDisk(row.bit)) return false;
        steps.erase(step);
    }
    return true;
}

}  // namespace

std::vector<ULONG> DumpSource::Ids(const wchar_t* sql) const
{
    CDbSQLite::ResultTable rows;
    copy.SelectStatement(sql, rows);
    std::set<ULONG> ids;
    for (size_t row = 0; row < rows.GetRowCount(); ++row) ids.insert(static_cast<ULONG>(_wtol(rows.GetValue(row, 0))));
    return std::vector<ULONG>(ids.begin(), ids.end());
}

int RunDump(const std::vector<std::string>& args)
{
    CommandLine line;
    if (int exit = ParseCommandLine(args, kSyntax, line); exit >= 0) return exit;
    const std::wstring only = line.values.count("--store") ? FromUtf8(line.values["--store"]) : L"";
    if (!only.empty() && !IsStoreName(only)) return UnknownStore(line.values["--store"]);
    size_t limit = SIZE_MAX;
    if (line.values.count("--limit") && !ParseCount(line.values["--limit"], limit)) {
        return UsageError(kSyntax.usage, "--limit needs a whole number, got '" + line.values["--limit"] + "'");
    }
    const std::string& path = line.file;
    const std::vector<CStore::MaskRow> rows = Selected(only);

    CDbSQLite file;
    if (!OpenForReading(path, file)) return 1;
    std::set<std::string> tables;
    for (const CStore::MaskRow& row : rows) tables.insert(Narrow(row.table));
    NoteDifferences(path, file, tables);
    std::map<std::wstring, size_t> counts;
    {
        Progress counting("counting rows", "tables", rows.size());
        counts = RowCounts(file, rows, counting);
    }
    PrivateFolder folder;
    if (folder.Path().empty()) return FileError(path, "no temporary folder for a copy to load");
    const std::string copyPath = folder.Path() + "/copy.db";
    {
        Progress copying("copying " + path, "pages", Number(file, L"PRAGMA page_count"));
        if (file.CopyTo(WidePath(copyPath)) != 0) return FileError(path, "cannot be copied: " + Narrow(file.LastError()));
    }
    file.Close();

    IStore* store = IStore::GetInstance();
    store->SetDBPath(WidePath(copyPath));
    CDbSQLite copy;
    if (!Load(*store, rows, counts) || copy.OpenReadOnly(WidePath(copyPath)) != 0) {
        store->CloseDBFile();
        return FileError(path, "the store cannot load a copy of it");
    }

    std::setlocale(LC_CTYPE, "C.UTF-8");  // for the display width of the texts
    DumpSource source{*store, copy};
    DumpWriter writer(stdout, line.Has("--json"), limit);
    int exit = 0;
    for (const CStore::MaskRow& row : rows) {
        const DumpStore* dump = FindDump(row.table);
        if (!dump) {
            std::fprintf(stderr, "kivostore: no dump for store %s\n", Narrow(row.table).c_str());
            exit = 1;
            continue;
        }
        Progress writing("writing " + Narrow(row.table), "records", counts.at(row.table));
        writer.BeginStore(Narrow(row.table), &writing);
        dump->dump(source, writer);
        writer.EndStore();
    }
    writer.PrintCounts();
    copy.Close();
    store->CloseDBFile();
    return exit;
}
