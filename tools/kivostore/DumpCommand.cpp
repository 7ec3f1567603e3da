// kivostore dump FILE [--store NAME] [--json]
//
// A load writes (missing tables and columns, the fast-login row of an empty table), so
// the store loads a copy taken through a read-only connection, never FILE itself.
#include <stdlib.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "Commands.h"
#include "DbRecovery.h"
#include "DumpFamily.h"
#include "Schema.h"
#include "SchemaPlan.h"
#include "SkippedRows.h"
#include "Store.h"
#include "UserFile.h"
#include "WideConv.h"

namespace {

const CommandSyntax kSyntax = {
    "usage: kivostore dump FILE [--store NAME] [--json]\n"
    "\n"
    "Loads FILE through the store and prints what every store holds, then the number of\n"
    "records of each. FILE is only read: the store loads a private copy of it.\n"
    "\n"
    "  --store NAME   only the store of table NAME (DeptInfo, UserBaseInfo, ContactListInfo, ...)\n"
    "  --json         one JSON object per line: each record with a \"store\" member, then\n"
    "                 {\"counts\": {...}}\n",
    {"--json"},
    {"--store"}};

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

// What the copy got that FILE has not, and what the load left behind, on stderr.
void NoteDifferences(const std::string& path, CDbSQLite& file)
{
    const size_t changes = PlanSchema(file).size();
    if (changes > 0) {
        std::fprintf(stderr,
                     "kivostore: note: %s has an older schema (%zu changes); shown as the store loads it after "
                     "upgrading; 'kivostore check --upgrade' upgrades the file itself\n",
                     path.c_str(), changes);
    }
    size_t skipped = 0;
    for (const SkippedRows& table : FindSkippedRows(file)) skipped += table.rows;
    if (skipped > 0) {
        std::fprintf(stderr, "kivostore: note: a load leaves %zu rows of %s behind; 'kivostore check' lists them\n",
                     skipped, path.c_str());
    }
}

bool IsSound(CDbSQLite& file)
{
    CDbSQLite::ResultTable verdict;
    return file.SelectStatement(L"PRAGMA quick_check", verdict) == 0 && verdict.GetValue(0, 0) == L"ok";
}

// The file the store loads: a consistent copy of FILE, or, when FILE is damaged, what the
// store's recovery makes of it (said on stderr). False after saying why there is none.
bool CopyForLoading(const std::string& path, const std::string& copyPath)
{
    CDbSQLite file;
    const LONG rc = file.OpenReadOnly(WidePath(path));
    if (rc == 0) {
        NoteDifferences(path, file);
        if (IsSound(file)) {
            if (file.CopyTo(WidePath(copyPath)) == 0) return true;
            return FileError(path, "cannot be copied: " + Narrow(file.LastError())) == 0;
        }
    } else if (!CDbSQLite::IsDamageCode(rc)) {
        return OpenForReading(path, file);
    }
    file.Close();
    const CDbRecovery::Result result = CDbRecovery(CSchema::CounterResets()).RecoverInto(path, copyPath);
    if (!result.ok) return FileError(path, "damaged, and cannot be recovered: " + result.error) == 0;
    size_t rows = 0;
    for (const CDbRecovery::TableRows& table : result.tables) rows += table.rows;
    std::fprintf(stderr,
                 "kivostore: note: %s is damaged; shown as the store recovers it (%zu rows could be read, every "
                 "update counter 0); FILE is unchanged\n",
                 path.c_str(), rows);
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
    const auto only = line.values.find("--store");
    if (only != line.values.end() && !IsStoreName(FromUtf8(only->second))) return UnknownStore(only->second);
    const std::string& path = line.file;

    PrivateFolder folder;
    if (folder.Path().empty()) return FileError(path, "no temporary folder for a copy to load");
    const std::string copyPath = folder.Path() + "/copy.db";
    if (!CopyForLoading(path, copyPath)) return 1;

    IStore* store = IStore::GetInstance();
    store->SetDBPath(WidePath(copyPath));
    CDbSQLite copy;
    if (!store->LoadFromDisk() || copy.OpenReadOnly(WidePath(copyPath)) != 0) {
        store->CloseDBFile();
        return FileError(path, "the store cannot load a copy of it");
    }

    DumpSource source{*store, copy};
    DumpWriter writer(stdout, line.Has("--json"));
    int exit = 0;
    for (const CStore::MaskRow& row : CStore::MaskTable()) {
        if (only != line.values.end() && FromUtf8(only->second) != row.table) continue;
        const DumpStore* dump = FindDump(row.table);
        if (!dump) {
            std::fprintf(stderr, "kivostore: no dump for store %s\n", Narrow(row.table).c_str());
            exit = 1;
            continue;
        }
        writer.BeginStore(Narrow(row.table));
        dump->dump(source, writer);
        writer.EndStore();
    }
    writer.PrintCounts();
    copy.Close();
    store->CloseDBFile();
    return exit;
}
