// The command line of one subcommand: exactly one FILE, flags, and options with a value.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

struct CommandSyntax {
    const char* usage;
    std::set<std::string> flags;   // e.g. "--json"
    std::set<std::string> valued;  // e.g. "--store", given as "--store NAME" or "--store=NAME"
};

struct CommandLine {
    std::string file;
    std::set<std::string> flags;
    std::map<std::string, std::string> values;

    bool Has(const std::string& flag) const { return flags.count(flag) != 0; }
};

// -1 when the command is to run; else the exit code, after printing the usage for --help
// (0) or the mistake with the usage (2).
int ParseCommandLine(const std::vector<std::string>& args, const CommandSyntax& syntax, CommandLine& line);

// Prints "kivostore: message" and the usage to stderr; returns 2.
int UsageError(const char* usage, const std::string& message);

// A whole number written in decimal digits only (no sign, no blanks); false otherwise.
bool ParseCount(const std::string& text, size_t& count);
