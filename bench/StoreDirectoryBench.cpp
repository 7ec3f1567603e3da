// 10,000 departments with 100,000 memberships (masks 0x1|0x2): the masked save in one
// transaction and the masked load, through IStore against raw SQLite on the same rows.
#include "BenchRecords.h"
#include "StoreCases.h"

namespace bench {
namespace {

const int64_t kRows = kDepartments + kDepartments * kMembersPerDepartment;

void FillDirectory(IStore& store)
{
    for (const STDeptInfo& dept : SampleDepartments()) store.SaveDeptInfo(dept);
    for (const STDeptUserInfo& members : SampleMembers()) store.SaveDeptUserInfo(members);
}

void DirectorySave(benchmark::State& state)
{
    PairedSave(state, kDirectoryMask, FillDirectory, {L"DeptInfo", L"DeptUserInfo", L"DeptUserInfoEx"},
               RawSaveDirectory, kRows);
}

void DirectoryLoad(benchmark::State& state)
{
    PairedLoad<RawDirectory>(state, DirectoryFile(), kDirectoryMask, RawLoadDirectory, kRows);
}

BENCHMARK(DirectorySave)->Name("DirectorySave/Store")->Iterations(2)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(DirectoryLoad)->Name("DirectoryLoad/Store")->Iterations(5)->Unit(benchmark::kMillisecond)->UseManualTime();

}  // namespace
}  // namespace bench
