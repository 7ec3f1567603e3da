#include "UserFile.h"

#include <cstdio>
#include <filesystem>

#include "ToolText.h"

int FileError(const std::string& path, const std::string& problem)
{
    std::fprintf(stderr, "kivostore: %s: %s\n", path.c_str(), problem.c_str());
    return 1;
}

const char kRecoveredAtNextOpen[] =
    "the store would move it aside and recover it at the next open ('kivostore recover FILE OUT' does "
    "the same into a new file)";

bool IsRegularFile(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

namespace {

std::string Problem(const std::string& path, CDbSQLite& db)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (!std::filesystem::exists(status)) return "no such file";
    if (std::filesystem::is_directory(status)) return "is a folder, not a database file";
    // Opening a FIFO would wait for a writer forever; a device is no database either.
    if (!std::filesystem::is_regular_file(status)) return "not a regular file (a device, FIFO or socket): refused";
    const LONG rc = db.OpenReadOnly(WidePath(path));
    if (rc == 0) return "";
    if (rc == 26) return std::string("not a database file; ") + kRecoveredAtNextOpen;
    if (CDbSQLite::IsDamageCode(rc)) return "damaged (" + Narrow(db.LastError()) + "); " + kRecoveredAtNextOpen;
    return "cannot be read: " + Narrow(db.LastError());
}

}  // namespace

bool OpenForReading(const std::string& path, CDbSQLite& db)
{
    const std::string problem = Problem(path, db);
    if (problem.empty()) return true;
    FileError(path, problem);
    return false;
}
