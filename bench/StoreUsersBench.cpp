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

void UsersSave(benchmark::State& state)
{
    PairedSave(state, kUserMask, FillUsers, {L"UserBaseInfo", L"UserBaseInfoEx"}, RawSaveUsers, kUserRows);
}

void UsersLoad(benchmark::State& state)
{
    PairedLoad<RawUsers>(state, UserFile(), kUserMask, RawLoadUsers, kUserRows);
}

BENCHMARK(UsersSave)->Name("UsersSave/Store")->Iterations(2)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(UsersLoad)->Name("UsersLoad/Store")->Iterations(5)->Unit(benchmark::kMillisecond)->UseManualTime();

}  // namespace
}  // namespace bench
