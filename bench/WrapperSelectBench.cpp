// A `select *` of 100,000 user rows: the wrapper's result table of wide texts against
// raw stepping that reads each column in its own type.
#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "DbSQLite.h"

namespace bench {
namespace {

const wchar_t kSelectAllWide[] = L"select * from UserBaseInfo";
const char kSelectAll[] = "select * from UserBaseInfo";

struct RawUser {
    int64_t uid, cid;
    std::string corpAccount, account, name;
    int64_t gender, partialFlag, existFlag;
    std::string position;
    int64_t activeState;
};

std::string ColumnText(sqlite3_stmt* stmt, int column)
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
    return text ? std::string(text, static_cast<size_t>(sqlite3_column_bytes(stmt, column))) : std::string();
}

void UserSelect(benchmark::State& state)
{
    BenchDir dir;
    const std::string path = dir.FreshFile("users.db");
    FillUserFile(path);
    CDbSQLite db;
    if (!OpenWrapper(db, path, false)) {
        state.SkipWithError("cannot open the user file");
        return;
    }
    sqlite3* raw = OpenRaw(path, false);
    CDbSQLite::ResultTable table;
    std::vector<RawUser> users;
    bool failed = false;
    RunPaired(
        state,
        [&] { failed |= db.SelectStatement(kSelectAllWide, table) != 0 || table.GetRowCount() != kUserRows; },
        [&] {
            sqlite3_stmt* stmt = nullptr;
            sqlite3_prepare_v2(raw, kSelectAll, -1, &stmt, nullptr);
            while (sqlite3_step(stmt) == SQLITE_ROW) {
                users.push_back(RawUser{sqlite3_column_int64(stmt, 0), sqlite3_column_int64(stmt, 1),
                                        ColumnText(stmt, 2), ColumnText(stmt, 3), ColumnText(stmt, 4),
                                        sqlite3_column_int64(stmt, 5), sqlite3_column_int64(stmt, 6),
                                        sqlite3_column_int64(stmt, 7), ColumnText(stmt, 8),
                                        sqlite3_column_int64(stmt, 9)});
            }
            sqlite3_finalize(stmt);
            failed |= users.size() != static_cast<size_t>(kUserRows);
        },
        [&] {
            table.Clear();
            users.clear();
        });
    sqlite3_close(raw);
    if (failed) state.SkipWithError("the select failed");
    state.SetItemsProcessed(state.iterations() * kUserRows);
}

BENCHMARK(UserSelect)->Name("UserSelect/Wrapper")->Iterations(5)->Unit(benchmark::kMillisecond)->UseManualTime();

}  // namespace
}  // namespace bench
