// Single-row writes outside a transaction, each committed (and synced) on its own: a
// formatted replace through DirectStatement against a raw prepared replace, alternating
// in one loop (RunPaired).
#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "DbSQLite.h"

namespace bench {
namespace {

void UserReplace(benchmark::State& state)
{
    const std::vector<UserRow>& rows = UserRows();
    BenchDir dir;
    CDbSQLite db;
    if (!OpenWrapper(db, dir.FreshFile("wrapper.db"), true)) {
        state.SkipWithError("cannot create the user table");
        return;
    }
    sqlite3* raw = OpenRaw(dir.FreshFile("raw.db"), true);
    {
        RawUserWriter writer(raw, "replace");
        size_t wrapperNext = 0;
        size_t rawNext = 0;
        bool failed = false;
        RunPaired(
            state,
            [&] { failed |= db.DirectStatement(UserReplaceText(rows[wrapperNext++ % rows.size()])) != 101; },
            [&] { writer.Write(rows[rawNext++ % rows.size()]); });
        if (failed) state.SkipWithError("a replace failed");
    }
    sqlite3_close(raw);
}

BENCHMARK(UserReplace)->Name("UserReplace/Wrapper")->MinTime(0.5)->Unit(benchmark::kMicrosecond)->UseManualTime();

}  // namespace
}  // namespace bench
