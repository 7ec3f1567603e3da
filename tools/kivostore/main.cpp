// kivostore: look into a KivoStore database file, or run the sample round trip.
#include <cstdio>
#include <string>
#include <vector>

#include "Commands.h"
#include "KivoLog.h"
#include "KivoStoreVersion.h"

namespace {

const char kUsage[] =
    "usage: kivostore [--log LOGFILE] <command> FILE [options]\n"
    "       kivostore --version\n"
    "\n"
    "commands:\n"
    "  check FILE [--upgrade]            tables, columns, row counts, the schema changes and the\n"
    "                                    skipped rows a load would bring, integrity_check; FILE is\n"
    "                                    only read unless --upgrade is given\n"
    "  dump FILE [--store NAME] [--json] what each store loads from FILE, then the counts;\n"
    "                                    FILE is only read\n"
    "  demo FILE [--users N]             the sample round trip through IStore into a new FILE\n"
    "  recover FILE OUT                  every row that can still be read from a damaged FILE,\n"
    "                                    into a new file OUT; FILE is only read\n"
    "\n"
    "  --log LOGFILE   append the store's log lines to LOGFILE (anywhere on the line)\n"
    "\n"
    "'kivostore <command> --help' tells more. Exit codes: 0 done, 1 a problem with a file,\n"
    "2 a mistake on the command line.\n";

int Usage(const std::string& message)
{
    std::fprintf(stderr, "kivostore: %s\n\n%s", message.c_str(), kUsage);
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args;
    std::string logFile;
    for (int k = 1; k < argc; ++k) {
        const std::string arg = argv[k];
        if (arg == "--log") {
            if (k + 1 == argc) return Usage("--log needs a file name");
            logFile = argv[++k];
        } else if (arg.rfind("--log=", 0) == 0) {
            logFile = arg.substr(6);
        } else {
            args.push_back(arg);
        }
    }
    if (args.empty()) return Usage("a command is missing");
    if (args[0] == "--help" || args[0] == "-h") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (args[0] == "--version") {
        std::printf("kivostore %s\n", KivoStore_Version());
        return 0;
    }
    if (!logFile.empty() && !CKivoLog::OpenFile(logFile)) {
        std::fprintf(stderr, "kivostore: %s: cannot be opened for the log\n", logFile.c_str());
        return 1;
    }

    const std::string command = args[0];
    args.erase(args.begin());
    int exit = 2;
    if (command == "check") {
        exit = RunCheck(args);
    } else if (command == "dump") {
        exit = RunDump(args);
    } else if (command == "recover") {
        exit = RunRecover(args);
    } else if (command == "demo") {
        exit = RunDemo(args);
    } else {
        exit = Usage("unknown command '" + command + "'");
    }
    CKivoLog::CloseSink();
    return exit;
}
