// kivostore demo FILE: the sample round trip through IStore only.
#include <chrono>
#include <clocale>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "Commands.h"
#include "DemoFamily.h"
#include "IStore.h"
#include "Utf8.h"

namespace {

const int kDefaultScale = 10000;

double TimeMs(const std::function<void()>& step)
{
    const auto start = std::chrono::steady_clock::now();
    step();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int RunDemo(const std::vector<std::string>& args)
{
    if (args.size() != 1) {
        std::fputs("usage: kivostore demo FILE\n", stderr);
        return 2;
    }
    std::setlocale(LC_ALL, "C.UTF-8");
    IStore* store = IStore::GetInstance();
    store->SetDBPath(CString(FromUtf8(args[0])));
    if (!store->OpenDBFile()) {
        std::fprintf(stderr, "kivostore: cannot open '%s'\n", args[0].c_str());
        return 1;
    }
    unsigned int mask = 0;
    for (const DemoFamily& family : DemoFamilies()) mask |= family.mask;

    double ms = TimeMs([&] {
        for (const DemoFamily& family : DemoFamilies()) family.fill(*store, kDefaultScale);
    });
    std::printf("fill          %9.1f ms\n", ms);

    store->SetDataConsistentFlag(mask, true);
    int saved = 0;
    ms = TimeMs([&] { saved = store->SaveToDisk(mask, TRUE); });
    std::printf("save (0x%08x, one transaction) %s %9.1f ms\n", mask, saved ? "ok    " : "FAILED", ms);

    ms = TimeMs([&] { store->Reset(); });
    std::printf("reset         %9.1f ms\n", ms);

    int loaded = 0;
    ms = TimeMs([&] { loaded = store->LoadFromDisk(mask); });
    std::printf("load (0x%08x) %s %9.1f ms\n", mask, loaded ? "ok    " : "FAILED", ms);
    store->CloseDBFile();

    std::printf("what came back:\n");
    for (const DemoFamily& family : DemoFamilies()) family.report(*store);
    return saved && loaded ? 0 : 1;
}
