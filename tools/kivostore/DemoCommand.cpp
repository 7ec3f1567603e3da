// kivostore demo FILE [--users N]: the sample round trip through IStore only.
#include <unistd.h>

#include <chrono>
#include <clocale>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "Commands.h"
#include "DemoFamily.h"
#include "IStore.h"
#include "ToolText.h"
#include "UserFile.h"

namespace {

const CommandSyntax kSyntax = {
    "usage: kivostore demo FILE [--users N]\n"
    "\n"
    "Creates FILE, fills every store with sample data through IStore, saves it by mask in\n"
    "one transaction, resets the store, loads FILE back, and prints what came back and the\n"
    "time of each step. FILE must not exist yet.\n"
    "\n"
    "  --users N   users in each of the two user tables (default 10000, at most 1000000);\n"
    "              the other samples grow with it\n",
    {},
    {"--users"}};

const int kDefaultUsers = 10000;
const int kMostUsers = 1000000;

// Progress of a long step on stderr; on a terminal each line replaces the one before.
class Progress {
public:
    Progress() : m_terminal(isatty(STDERR_FILENO) != 0) {}
    void Show(const std::string& what)
    {
        std::fprintf(stderr, m_terminal ? "\r\033[K%s ..." : "%s ...\n", what.c_str());
        std::fflush(stderr);
    }
    void Done()
    {
        if (m_terminal) std::fputs("\r\033[K", stderr);
    }

private:
    bool m_terminal;
};

double TimeMs(const std::function<void()>& step)
{
    const auto start = std::chrono::steady_clock::now();
    step();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// N from "--users N": a whole number in range, else -1.
int ParseUsers(const std::string& text)
{
    size_t users = 0;
    if (!ParseCount(text, users)) return -1;
    return users >= 1 && users <= static_cast<size_t>(kMostUsers) ? static_cast<int>(users) : -1;
}

}  // namespace

int RunDemo(const std::vector<std::string>& args)
{
    CommandLine line;
    if (int exit = ParseCommandLine(args, kSyntax, line); exit >= 0) return exit;
    int users = kDefaultUsers;
    if (auto given = line.values.find("--users"); given != line.values.end()) {
        users = ParseUsers(given->second);
        if (users < 0) return UsageError(kSyntax.usage, "--users takes a whole number from 1 to 1000000");
    }
    const std::string& path = line.file;
    std::error_code error;
    if (std::filesystem::exists(path, error)) return FileError(path, "exists; demo writes a new file only");

    std::setlocale(LC_ALL, "C.UTF-8");
    IStore* store = IStore::GetInstance();
    store->SetDBPath(WidePath(path));
    if (!store->OpenDBFile()) return FileError(path, "cannot be created");
    unsigned int mask = 0;
    for (const DemoFamily& family : DemoFamilies()) mask |= family.mask;

    Progress progress;
    const size_t families = DemoFamilies().size();
    double ms = TimeMs([&] {
        for (size_t k = 0; k < families; ++k) {
            const DemoFamily& family = DemoFamilies()[k];
            progress.Show("fill " + std::to_string(k + 1) + "/" + std::to_string(families) + ": " + family.name);
            family.fill(*store, users);
        }
    });
    progress.Done();
    std::printf("fill (%d users) %9.1f ms\n", users, ms);

    store->SetDataConsistentFlag(mask, true);
    int saved = 0;
    progress.Show("save");
    ms = TimeMs([&] { saved = store->SaveToDisk(mask, TRUE); });
    progress.Done();
    std::printf("save (0x%08x, one transaction) %s %9.1f ms\n", mask, saved ? "ok    " : "FAILED", ms);

    ms = TimeMs([&] { store->Reset(); });
    std::printf("reset         %9.1f ms\n", ms);

    int loaded = 0;
    progress.Show("load");
    ms = TimeMs([&] { loaded = store->LoadFromDisk(mask); });
    progress.Done();
    std::printf("load (0x%08x) %s %9.1f ms\n", mask, loaded ? "ok    " : "FAILED", ms);
    store->CloseDBFile();

    std::printf("what came back:\n");
    for (const DemoFamily& family : DemoFamilies()) family.report(*store);
    return saved && loaded ? 0 : 1;
}
