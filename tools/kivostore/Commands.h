// The tool's subcommands; each returns the process exit code.
#pragma once

#include <string>
#include <vector>

int RunCheck(const std::vector<std::string>& args);
int RunDemo(const std::vector<std::string>& args);
