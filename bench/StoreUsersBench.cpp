// 100,000 users in both user tables (mask 0x4): the masked save in one transaction and
// the masked load, through IStore against raw SQLite on the same rows.
#include "BenchRecords.h"
#include "StoreCases.h"

namespace bench {
namespace {

void FillUsers(IStore& store)
{
    store.ModifyUserBaseInfo(SampleUsers());
    store.ModifyUserBaseInfoEx(SampleUsers());
}

void UserSaveStore(benchmark::State& state)
{
    TimeStoreSave(state, kUserMask, FillUsers, kUserRows);
}

void UserSaveRaw(benchmark::State& state)
{
    TimeRawSave(state, {L"UserBaseInfo", L"UserBaseInfoEx"}, RawSaveUsers, kUserRows);
}

void UserLoadStore(benchmark::State& state)
{
    TimeStoreLoad(state, UserFile(), kUserMask, kUserRows);
}

void UserLoadRaw(benchmark::State& state)
{
    TimeRawLoad<RawUsers>(state, UserFile(), RawLoadUsers, kUserRows);
}

BENCHMARK(UserSaveStore)->Name("UsersSave/Store")->Iterations(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(UserSaveRaw)->Name("UsersSave/Raw")->Iterations(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(UserLoadStore)->Name("UsersLoad/Store")->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(UserLoadRaw)->Name("UsersLoad/Raw")->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace bench
