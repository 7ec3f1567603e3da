// 100,000 user rows inserted in one transaction: formatted texts through the wrapper,
// as a table store sends them, against one raw prepared statement with bound values.
// Both files are opened, and closed again, outside the timed parts.
#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "DbSQLite.h"

namespace bench {
namespace {

void UserInsert(benchmark::State& state)
{
    const std::vector<UserRow>& rows = UserRows();
    BenchDir dir;
    CDbSQLite db;
    sqlite3* raw = nullptr;
    bool failed = false;
    RunPaired(
        state,
        [&] {
            db.BeginTransaction();
            for (const UserRow& row : rows) {
                if (db.ExecInTransaction(UserInsertText(row)) != 0) break;
            }
            failed |= db.CommitTransaction() != 0;
        },
        [&] {
            RawExec(raw, "BEGIN IMMEDIATE");
            {
                RawUserWriter writer(raw, "insert");
                for (const UserRow& row : rows) writer.Write(row);
            }
            RawExec(raw, "COMMIT");
        },
        [&] {
            db.Close();
            sqlite3_close(raw);
            failed |= !OpenWrapper(db, dir.FreshFile("wrapper.db"), true);
            raw = OpenRaw(dir.FreshFile("raw.db"), true);
        });
    sqlite3_close(raw);
    if (failed) state.SkipWithError("the insert transaction failed");
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(rows.size()));
}

BENCHMARK(UserInsert)->Name("UserInsert/Wrapper")->Iterations(3)->Unit(benchmark::kMillisecond)->UseManualTime();

}  // namespace
}  // namespace bench
