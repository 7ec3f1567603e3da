#include "DbRecovery.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "PageOneRepair.h"
#include "RowSalvage.h"
#include "SqliteHandles.h"

const char* const CDbRecovery::kSideSuffixes[3] = {"-wal", "-shm", "-journal"};

namespace {

bool Exists(const std::string& path)
{
    struct stat st;
    return lstat(path.c_str(), &st) == 0;
}

bool Fail(std::string& error, const std::string& what)
{
    error = what + (errno ? std::string(": ") + std::strerror(errno) : std::string());
    return false;
}

void RemoveWithSideFiles(const std::string& path)
{
    unlink(path.c_str());
    for (const char* suffix : CDbRecovery::kSideSuffixes) unlink((path + suffix).c_str());
}

std::string Folder(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

// So that a rename survives a power cut.
void SyncFolder(const std::string& path)
{
    const int fd = open(Folder(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

bool SyncFile(const std::string& path, std::string& error)
{
    errno = 0;
    const int fd = open(path.c_str(), O_RDWR | O_CLOEXEC);
    const bool ok = fd >= 0 && fsync(fd) == 0;
    if (fd >= 0) close(fd);
    return ok || Fail(error, "cannot write " + path);
}

// Never replaces what is at to.
bool MoveNoReplace(const std::string& from, const std::string& to)
{
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL) return false;  // EINVAL: a file system without the flag
    if (Exists(to)) {
        errno = EEXIST;
        return false;
    }
    return std::rename(from.c_str(), to.c_str()) == 0;
}

// A private copy (0600), whatever the mode of from.
bool CopyBytes(const std::string& from, const std::string& to, std::string& error)
{
    errno = 0;
    const int in = open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return Fail(error, "cannot read " + from);
    const int out = open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    bool ok = out >= 0;
    std::vector<char> buffer(1 << 20);
    while (ok) {
        const ssize_t got = read(in, buffer.data(), buffer.size());
        if (got <= 0) {
            ok = got == 0;
            break;
        }
        ok = write(out, buffer.data(), static_cast<size_t>(got)) == got;
    }
    close(in);
    if (out >= 0 && close(out) != 0) ok = false;
    return ok || Fail(error, "cannot copy " + from + " to " + to);
}

// The scratch copy the rows are read from: what a writer left beside the file comes too.
bool CopyForReading(const std::string& source, const std::string& scratch, std::string& error)
{
    RemoveWithSideFiles(scratch);
    if (!CopyBytes(source, scratch, error)) return false;
    for (const char* suffix : {"-wal", "-journal"}) {
        if (Exists(source + suffix) && !CopyBytes(source + suffix, scratch + suffix, error)) return false;
    }
    errno = 0;
    return CPageOneRepair::Repair(scratch, Exists(scratch + "-wal")) || Fail(error, "cannot write " + scratch);
}

bool CreatePrivate(const std::string& path, std::string& error)
{
    RemoveWithSideFiles(path);
    errno = 0;
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) return Fail(error, "cannot create " + path);
    close(fd);
    return true;
}

// A code that says the new file cannot be written, as opposed to a text it did not take.
bool CannotWrite(int rc)
{
    switch (rc & 0xff) {
    case SQLITE_OK: case SQLITE_ERROR: case SQLITE_CONSTRAINT: case SQLITE_CORRUPT: case SQLITE_NOTADB:
        return false;
    default:
        return true;
    }
}

bool Refused(std::string& error, const SqliteConnection& db)
{
    error = db.Error();
    return false;
}

bool IsUserTable(const CRowSalvage::SchemaEntry& entry)
{
    return entry.type == "table" && entry.name.compare(0, 7, "sqlite_") != 0;
}

// A schema text comes from the damaged file: only its first statement runs, and only when
// it is a CREATE, so a garbled or planted text cannot attach or write anything else.
int RunSchemaText(const SqliteConnection& to, const std::string& sql)
{
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(to.Get(), sql.c_str(), -1, &stmt, nullptr);
    if (rc != SQLITE_OK) return rc;
    const bool create = stmt && sqlite3_strnicmp(sqlite3_sql(stmt), "create", 6) == 0;
    rc = create ? sqlite3_step(stmt) : SQLITE_ERROR;
    sqlite3_finalize(stmt);
    return rc == SQLITE_DONE ? SQLITE_OK : rc;
}

// Moves path and its side files to a free damaged name; the name, or empty when nothing
// could be moved (then everything is back where it was).
std::string MoveAside(const std::string& path, std::string& error)
{
    for (int attempt = 1; attempt < 100; ++attempt) {
        std::string name = CDbRecovery::DamagedName(path, static_cast<long long>(std::time(nullptr)));
        if (attempt > 1) name += "-" + std::to_string(attempt);
        bool taken = false;
        for (const char* suffix : CDbRecovery::kSideSuffixes) taken = taken || Exists(name + suffix);
        errno = 0;
        if (taken || !MoveNoReplace(path, name)) {
            if (taken || errno == EEXIST) continue;
            Fail(error, "cannot move " + path + " aside");
            return std::string();
        }
        std::vector<std::string> moved;
        for (const char* suffix : CDbRecovery::kSideSuffixes) {
            if (!Exists(path + suffix)) continue;
            if (!MoveNoReplace(path + suffix, name + suffix)) {
                // A side file left at the path would be read as part of the next file there.
                Fail(error, "cannot move " + path + suffix + " aside");
                for (const std::string& back : moved) std::rename((name + back).c_str(), (path + back).c_str());
                std::rename(name.c_str(), path.c_str());
                return std::string();
            }
            moved.push_back(suffix);
        }
        SyncFolder(path);
        return name;
    }
    errno = EEXIST;
    Fail(error, "no free name beside " + path);
    return std::string();
}

}  // namespace

std::string CDbRecovery::DamagedName(const std::string& path, long long unixTime)
{
    const time_t when = static_cast<time_t>(unixTime);
    struct tm utc;
    gmtime_r(&when, &utc);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%dT%H%M%S", &utc);
    return path + ".damaged-" + stamp;
}

bool CDbRecovery::Build(const std::string& source, const std::string& target, Result& result) const
{
    SqliteConnection from;
    SqliteConnection to;
    if (from.Open(source, SQLITE_OPEN_READWRITE) != SQLITE_OK) return Refused(result.error, from);
    from.Exec("PRAGMA writable_schema=ON");  // keeps the part of a schema that loads
    if (to.Open(target, SQLITE_OPEN_READWRITE) != SQLITE_OK) return Refused(result.error, to);
    // The new file is thrown away on any failure, and synced once before it is put in place.
    to.Exec("PRAGMA journal_mode=OFF");
    to.Exec("PRAGMA synchronous=OFF");
    if (to.Exec("BEGIN") != SQLITE_OK) return Refused(result.error, to);

    CRowSalvage salvage(from.Get(), to.Get());
    const std::vector<CRowSalvage::SchemaEntry> schema = salvage.ReadSchema();
    for (const CRowSalvage::SchemaEntry& entry : schema) {
        if (!IsUserTable(entry)) continue;
        const int rc = RunSchemaText(to, entry.sql);
        if (CannotWrite(rc)) return Refused(result.error, to);
        if (rc != SQLITE_OK) continue;
        const CRowSalvage::Copied copied = salvage.CopyTable(entry.name);
        if (copied.error != SQLITE_OK) return Refused(result.error, to);
        result.tables.push_back({entry.name, copied.rows, copied.stretches});
    }
    for (const CRowSalvage::SchemaEntry& entry : schema) {
        if (!IsUserTable(entry) && CannotWrite(RunSchemaText(to, entry.sql))) return Refused(result.error, to);
    }
    for (const std::string& sql : m_afterCopy) {
        if (CannotWrite(to.Exec(sql))) return Refused(result.error, to);
    }
    if (to.Exec("COMMIT") != SQLITE_OK) return Refused(result.error, to);
    return true;
}

CDbRecovery::Result CDbRecovery::RecoverInPlace(const std::string& path) const
{
    Result result;
    const std::string damaged = MoveAside(path, result.error);
    if (damaged.empty()) return result;
    result = RecoverInto(damaged, path);
    result.damagedCopy = damaged;
    return result;
}

CDbRecovery::Result CDbRecovery::RecoverInto(const std::string& source, const std::string& out) const
{
    Result result;
    if (Exists(out)) {
        errno = EEXIST;
        Fail(result.error, out);
        return result;
    }
    const std::string scratch = out + ".recovery-source";
    const std::string building = out + ".recovering";
    errno = 0;
    result.ok = CopyForReading(source, scratch, result.error) && CreatePrivate(building, result.error) &&
                Build(scratch, building, result) && SyncFile(building, result.error);
    errno = 0;
    if (result.ok && !MoveNoReplace(building, out)) result.ok = Fail(result.error, "cannot create " + out);
    RemoveWithSideFiles(scratch);
    if (!result.ok) RemoveWithSideFiles(building);
    SyncFolder(out);
    return result;
}
