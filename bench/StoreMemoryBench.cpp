// What holding the records costs: heap held after a masked load and the resident peak
// during it, per user (held in both user tables) and per contact, store against raw
// records of the same types in the same kind of maps. Time here is not the point.
#include "BenchRecords.h"
#include "StoreCases.h"

namespace bench {
namespace {

void RawContacts(sqlite3* db, std::map<ULONG, STContactInfo>& contacts)
{
    RawLoadContacts(db, contacts);
}

void UserMemoryStore(benchmark::State& state)
{
    MeasureStoreMemory(state, UserFile(), kUserMask, "user", kUserRows);
}

void UserMemoryRaw(benchmark::State& state)
{
    MeasureRawMemory<RawUsers>(state, UserFile(), RawLoadUsers, "user", kUserRows);
}

void ContactMemoryStore(benchmark::State& state)
{
    MeasureStoreMemory(state, ContactFile(), kContactMask, "contact", kContacts);
}

void ContactMemoryRaw(benchmark::State& state)
{
    MeasureRawMemory<std::map<ULONG, STContactInfo>>(state, ContactFile(), RawContacts, "contact", kContacts);
}

// The client's 1,000,000 users handed to the store and saved (mask 0x4), against the same
// users held as raw records in the maps a load fills (RawUsers) and written by the raw
// baseline. The sample list both are made from exists before either is measured.
const int kFillSaveUsers = 1000000;

void UserFillSaveMemoryStore(benchmark::State& state)
{
    SampleUsers(kFillSaveUsers);
    for (auto _ : state) {
        BenchDir dir;
        auto store = std::make_unique<CStore>();
        PointStoreAtFreshFile(*store, dir.FreshFile("store.db"));
        ResetPeak();
        const size_t heap = HeapInUse();
        const size_t resident = ResidentBytes();
        FillUsers(*store, kFillSaveUsers);
        store->SetDataConsistentFlag(kUserMask, true);
        if (store->SaveToDisk(kUserMask, TRUE) != 1) state.SkipWithError("the store's save failed");
        ReportMemory(state, "user", heap, resident, kFillSaveUsers);
    }
}

void UserFillSaveMemoryRaw(benchmark::State& state)
{
    SampleUsers(kFillSaveUsers);
    for (auto _ : state) {
        BenchDir dir;
        ResetPeak();
        const size_t heap = HeapInUse();
        const size_t resident = ResidentBytes();
        auto held = std::make_unique<RawUsers>();
        for (const STUserBaseInfo& user : SampleUsers(kFillSaveUsers)) {
            held->base.emplace(user.Uid, user);
            held->ex.emplace(user.Uid, user);
        }
        sqlite3* db = OpenRawWithTables(dir.FreshFile("raw.db"), {L"UserBaseInfo", L"UserBaseInfoEx"});
        RawExec(db, "BEGIN IMMEDIATE");
        RawSaveUsers(db, kFillSaveUsers);
        RawExec(db, "COMMIT");
        sqlite3_close(db);
        ReportMemory(state, "user", heap, resident, kFillSaveUsers);
    }
}

BENCHMARK(UserFillSaveMemoryStore)->Name("UsersFillSave1MMemory/Store")->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(UserFillSaveMemoryRaw)->Name("UsersFillSave1MMemory/Raw")->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(UserMemoryStore)->Name("UsersMemory/Store")->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(UserMemoryRaw)->Name("UsersMemory/Raw")->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ContactMemoryStore)->Name("ContactsMemory/Store")->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ContactMemoryRaw)->Name("ContactsMemory/Raw")->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace bench
