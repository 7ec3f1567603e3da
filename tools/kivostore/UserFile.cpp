#include "UserFile.h"

#include <cstdio>
#include <filesystem>

#include "ToolText.h"

int FileError(const std::string& path, const std::string& problem)
{
    std::fprintf(stderr, "kivostore: %s: %s\n", path.c_str(), problem.c_str());
    return 1;
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
    if (rc == 26) return "not a database file";
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
