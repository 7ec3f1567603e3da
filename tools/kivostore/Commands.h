// The tool's subcommands; each takes the arguments after its name and returns the exit
// code: 0 done, 1 a problem with the file, 2 a mistake on the command line.
#pragma once

#include <string>
#include <vector>

int RunCheck(const std::vector<std::string>& args);
int RunDemo(const std::vector<std::string>& args);
int RunDump(const std::vector<std::string>& args);
int RunRecover(const std::vector<std::string>& args);
