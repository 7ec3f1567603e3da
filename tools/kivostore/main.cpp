// kivostore: look into a KivoStore database file, or run the sample round trip.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "Commands.h"

namespace {

const char kUsage[] =
    "usage: kivostore <command> FILE\n"
    "\n"
    "commands:\n"
    "  check FILE   open FILE (creating and upgrading the schema), list each table with its\n"
    "               columns and row count, and run PRAGMA integrity_check\n"
    "  demo FILE    fill a sample directory through IStore, save it by mask, reset, load it\n"
    "               back and print what came back and how long each step took\n";

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || !std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h")) {
        std::fputs(kUsage, argc < 2 ? stderr : stdout);
        return argc < 2 ? 2 : 0;
    }
    const std::string command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "check") return RunCheck(args);
    if (command == "demo") return RunDemo(args);
    std::fprintf(stderr, "kivostore: unknown command '%s'\n\n%s", command.c_str(), kUsage);
    return 2;
}
