// kivostore recover FILE OUT
#include <cstdio>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "Commands.h"
#include "DbRecovery.h"
#include "Schema.h"
#include "UserFile.h"

namespace {

const char kUsage[] =
    "usage: kivostore recover FILE OUT\n"
    "\n"
    "Builds OUT, a new database file, from every row that can still be read from FILE and\n"
    "what a writer left beside it (-wal, -journal), as the store does when it opens a damaged\n"
    "file. Every update counter in OUT is 0, so that the client fetches its data again.\n"
    "FILE is only read; OUT must not exist. Prints the rows recovered of each table.\n";

}  // namespace

int RunRecover(const std::vector<std::string>& args)
{
    std::vector<std::string> files;
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (arg.size() > 1 && arg[0] == '-') return UsageError(kUsage, "unknown option '" + arg + "'");
        files.push_back(arg);
    }
    if (files.size() != 2) return UsageError(kUsage, "FILE and OUT are needed, and nothing else");
    if (!IsRegularFile(files[0])) return FileError(files[0], "no such file, or not a regular file");

    const CDbRecovery::Result result = CDbRecovery(CSchema::CounterResets()).RecoverInto(files[0], files[1]);
    if (!result.ok) return FileError(files[1], "not recovered: " + result.error);
    std::printf("%s: recovered from %s\n", files[1].c_str(), files[0].c_str());
    for (const CDbRecovery::TableRows& table : result.tables) {
        std::printf("%-26s %zu rows", table.table.c_str(), table.rows);
        if (table.stretches) std::printf(" (%zu unreadable stretches skipped)", table.stretches);
        std::printf("\n");
    }
    std::printf("update counters set to 0\n");
    return 0;
}
