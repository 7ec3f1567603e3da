// The users of both user tables (mask 0x4) at 10,000, 100,000 and 1,000,000: the masked
// save in one transaction, the masked load, and the save of one changed user after a
// load, through IStore against raw SQLite on the same rows.
#include "BenchRecords.h"
#include "StoreCases.h"

namespace bench {
namespace {

const wchar_t* const kUserTables[] = {L"UserBaseInfo", L"UserBaseInfoEx"};

int Count(const benchmark::State& state)
{
    return static_cast<int>(state.range(0));
}

// The k-th change renames one of the first 10,000 users, which every sample holds.
STUserBaseInfo Changed(int k)
{
    STUserBaseInfo user = SampleUser(k % 10000);
    user.Name += L" " + std::to_wstring(k);
    return user;
}

void UsersSave(benchmark::State& state)
{
    const int count = Count(state);
    PairedSave(
        state, kUserMask, [count](IStore& store) { FillUsers(store, count); }, {kUserTables[0], kUserTables[1]},
        [count](sqlite3* db) { RawSaveUsers(db, count); }, count);
}

void UsersLoad(benchmark::State& state)
{
    PairedLoad<RawUsers>(state, UserFile(Count(state)), kUserMask, RawLoadUsers, Count(state));
}

void UserSaveOne(benchmark::State& state)
{
    const int count = Count(state);
    PairedSaveOne(
        state, kUserMask, [count](IStore& store) { FillUsers(store, count); },
        [](IStore& store, int k) {
            const std::list<STUserBaseInfo> changed{Changed(k)};
            store.ModifyUserBaseInfo(changed);
            store.ModifyUserBaseInfoEx(changed);
        },
        {kUserTables[0], kUserTables[1]}, [count](sqlite3* db) { RawSaveUsers(db, count); },
        [](sqlite3* db) {
            auto writer = std::make_shared<RawOneUserSave>(db);
            return [writer](int k) { writer->Save(Changed(k)); };
        });
}

// 1,000,000 users take minutes per case: `make bench` runs them, CI never runs the bench.
BENCHMARK(UsersSave)->Name("UsersSave/Store")->Arg(10000)->Arg(100000)->Iterations(2)
    ->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(UsersSave)->Name("UsersSave/Store")->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond)
    ->UseManualTime();
BENCHMARK(UsersLoad)->Name("UsersLoad/Store")->Arg(10000)->Arg(100000)->Iterations(5)
    ->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(UsersLoad)->Name("UsersLoad/Store")->Arg(1000000)->Iterations(2)->Unit(benchmark::kMillisecond)
    ->UseManualTime();
BENCHMARK(UserSaveOne)->Name("UserSaveOne/Store")->Arg(10000)->Arg(100000)->Arg(1000000)->MinTime(0.5)
    ->Unit(benchmark::kMicrosecond)->UseManualTime();

}  // namespace
}  // namespace bench
