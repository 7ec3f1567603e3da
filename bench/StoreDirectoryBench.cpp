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

void DirectorySaveStore(benchmark::State& state)
{
    TimeStoreSave(state, kDirectoryMask, FillDirectory, kRows);
}

void DirectorySaveRaw(benchmark::State& state)
{
    TimeRawSave(state, {L"DeptInfo", L"DeptUserInfo", L"DeptUserInfoEx"}, RawSaveDirectory, kRows);
}

void DirectoryLoadStore(benchmark::State& state)
{
    TimeStoreLoad(state, DirectoryFile(), kDirectoryMask, kRows);
}

void DirectoryLoadRaw(benchmark::State& state)
{
    TimeRawLoad<RawDirectory>(state, DirectoryFile(), RawLoadDirectory, kRows);
}

BENCHMARK(DirectorySaveStore)->Name("DirectorySave/Store")->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(DirectorySaveRaw)->Name("DirectorySave/Raw")->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(DirectoryLoadStore)->Name("DirectoryLoad/Store")->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(DirectoryLoadRaw)->Name("DirectoryLoad/Raw")->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace bench
