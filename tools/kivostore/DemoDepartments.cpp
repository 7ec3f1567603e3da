// Sample departments: a tree of a few hundred, ten children under each inner node.
#include <cstdio>
#include <string>

#include "DemoFamily.h"
#include "IStore.h"

namespace {

const unsigned kCorpId = 1000;

void Fill(IStore& store, int scale)
{
    const unsigned count = static_cast<unsigned>(scale) / 20 + 1;  // 501 at the default scale
    for (unsigned did = 1; did <= count; ++did) {
        STDeptInfo dept;
        dept.Cid = kCorpId;
        dept.Did = did;
        dept.PDid = did == 1 ? 0 : (did - 2) / 10 + 1;
        dept.FirstChild = (did - 1) * 10 + 2 <= count ? (did - 1) * 10 + 2 : 0;
        dept.NextSibling = did > 1 && (did - 1) % 10 != 0 && did < count ? did + 1 : 0;
        dept.UC = did;
        dept.Name = L"Department " + std::to_wstring(did) + (did % 7 == 0 ? L" (R&D's \u7814\u53d1)" : L"");
        dept.Tel = L"+49 30 " + std::to_wstring(100000 + did);
        store.SaveDeptInfo(dept);
    }
}

void Report(IStore& store)
{
    std::list<boost::shared_ptr<STDeptInfo>> depts;
    store.LoadDeptInfo(0, depts);
    std::printf("  departments: %zu", depts.size());
    if (!depts.empty()) {
        const STDeptInfo& last = *depts.back();
        std::printf(", last: Did %u parent %u \"%ls\"", last.Did, last.PDid, last.Name.c_str());
    }
    std::printf("\n");
}

}  // namespace

const DemoFamily kDemoDepartments = {"departments", KivoSaveMask::kDeptInfo, Fill, Report};
