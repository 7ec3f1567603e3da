// Single-row writes outside a transaction, each one committed (and synced) on its own:
// a formatted replace through DirectStatement against a raw prepared replace.
#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "DbSQLite.h"

namespace bench {
namespace {

void UserReplaceWrapper(benchmark::State& state)
{
    const std::vector<UserRow>& rows = UserRows();
    BenchDir dir;
    CDbSQLite db;
    if (!OpenWrapper(db, dir.FreshFile("wrapper.db"), true)) {
        state.SkipWithError("cannot create the user table");
        return;
    }
    size_t next = 0;
    for (auto _ : state) {
        if (db.DirectStatement(UserReplaceText(rows[next++ % rows.size()])) != 101) {
            state.SkipWithError("the replace failed");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations());
}

void UserReplaceRaw(benchmark::State& state)
{
    const std::vector<UserRow>& rows = UserRows();
    BenchDir dir;
    sqlite3* db = OpenRaw(dir.FreshFile("raw.db"), true);
    {
        RawUserWriter writer(db, "replace");
        size_t next = 0;
        for (auto _ : state) writer.Write(rows[next++ % rows.size()]);
    }
    sqlite3_close(db);
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK(UserReplaceWrapper)->Name("UserReplace/Wrapper")->MinTime(2.0)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(UserReplaceRaw)->Name("UserReplace/Raw")->MinTime(2.0)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
}  // namespace bench
