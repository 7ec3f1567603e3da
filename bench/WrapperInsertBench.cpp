// 100,000 user rows inserted in one transaction: formatted texts through the wrapper,
// as a table store sends them, against one raw prepared statement with bound values.
#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "DbSQLite.h"

namespace bench {
namespace {

void UserInsertWrapper(benchmark::State& state)
{
    const std::vector<UserRow>& rows = UserRows();
    BenchDir dir;
    CDbSQLite db;
    for (auto _ : state) {
        state.PauseTiming();
        if (!OpenWrapper(db, dir.FreshFile("wrapper.db"), true)) {
            state.SkipWithError("cannot create the user table");
            break;
        }
        state.ResumeTiming();
        db.BeginTransaction();
        for (const UserRow& row : rows) {
            if (db.ExecInTransaction(UserInsertText(row)) != 0) break;
        }
        if (db.CommitTransaction() != 0) {
            state.SkipWithError("the insert transaction failed");
            break;
        }
        state.PauseTiming();
        db.Close();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(rows.size()));
}

void UserInsertRaw(benchmark::State& state)
{
    const std::vector<UserRow>& rows = UserRows();
    BenchDir dir;
    for (auto _ : state) {
        state.PauseTiming();
        sqlite3* db = OpenRaw(dir.FreshFile("raw.db"), true);
        state.ResumeTiming();
        RawExec(db, "BEGIN IMMEDIATE");
        {
            RawUserWriter writer(db, "insert");
            for (const UserRow& row : rows) writer.Write(row);
        }
        RawExec(db, "COMMIT");
        state.PauseTiming();
        sqlite3_close(db);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(rows.size()));
}

BENCHMARK(UserInsertWrapper)->Name("UserInsert/Wrapper")->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(UserInsertRaw)->Name("UserInsert/Raw")->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace bench
