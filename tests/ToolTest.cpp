// The kivostore tool as a support engineer runs it.
#include <cstdio>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "TestDb.h"

namespace {

struct ToolRun {
    int exitCode;
    std::string out;
};

ToolRun Tool(const std::string& args)
{
    ToolRun run{-1, ""};
    FILE* pipe = popen((std::string(KIVO_TOOL_PATH) + " " + args + " 2>&1").c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
    int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

}  // namespace

TEST(Tool, DemoRoundTripsAndCheckReportsTheFile)
{
    TempDir dir;
    const std::string file = dir.File("demo.db");
    ToolRun demo = Tool("demo " + file);
    EXPECT_EQ(demo.exitCode, 0) << demo.out;
    EXPECT_NE(demo.out.find("departments: 501"), std::string::npos) << demo.out;

    ToolRun check = Tool("check " + file);
    EXPECT_EQ(check.exitCode, 0) << check.out;
    EXPECT_NE(check.out.find("DeptInfo                   501 rows"), std::string::npos) << check.out;
    EXPECT_NE(check.out.find("integrity_check: ok"), std::string::npos);
}

TEST(Tool, CheckFailsClearlyOnAFileThatIsNotADatabase)
{
    TempDir dir;
    const std::string file = dir.File("notes.txt");
    std::ofstream(file) << std::string(2048, 'n');
    ToolRun check = Tool("check " + file);
    EXPECT_NE(check.exitCode, 0);
    EXPECT_NE(check.out.find("cannot open"), std::string::npos) << check.out;
    EXPECT_NE(Tool("frobnicate x").exitCode, 0);
    EXPECT_NE(Tool("").exitCode, 0);
}
