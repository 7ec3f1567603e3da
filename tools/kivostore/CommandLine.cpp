#include "CommandLine.h"

#include <cstdio>

int UsageError(const char* usage, const std::string& message)
{
    std::fprintf(stderr, "kivostore: %s\n\n%s", message.c_str(), usage);
    return 2;
}

int ParseCommandLine(const std::vector<std::string>& args, const CommandSyntax& syntax, CommandLine& line)
{
    std::vector<std::string> files;
    for (size_t k = 0; k < args.size(); ++k) {
        const std::string& arg = args[k];
        if (arg == "--help" || arg == "-h") {
            std::fputs(syntax.usage, stdout);
            return 0;
        }
        if (arg.size() < 2 || arg[0] != '-') {
            files.push_back(arg);
            continue;
        }
        const size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        if (syntax.flags.count(name) && equals == std::string::npos) {
            line.flags.insert(name);
        } else if (syntax.valued.count(name)) {
            if (equals != std::string::npos) {
                line.values[name] = arg.substr(equals + 1);
            } else if (k + 1 < args.size()) {
                line.values[name] = args[++k];
            } else {
                return UsageError(syntax.usage, name + " needs a value");
            }
        } else {
            return UsageError(syntax.usage, "unknown option '" + arg + "'");
        }
    }
    if (files.size() != 1) {
        return UsageError(syntax.usage, files.empty() ? "FILE is missing" : "one FILE only, got " +
                                                                              std::to_string(files.size()));
    }
    line.file = files[0];
    return -1;
}

bool ParseCount(const std::string& text, size_t& count)
{
    if (text.empty() || text.size() > 18 || text.find_first_not_of("0123456789") != std::string::npos) return false;
    count = static_cast<size_t>(std::stoull(text));
    return true;
}
