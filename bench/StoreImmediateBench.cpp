// Single rows written at once, each committed (and synced) on its own: AddContact,
// UpdateRecentContactor and SetLastLiveTime(&t, true) through IStore, against the same
// statement prepared once on a raw connection with the wrapper's WAL and synchronous=FULL.
// The two sides alternate in one loop and each is timed on its own: on a shared machine
// sync times drift far more between runs than the difference measured here.
#include <time.h>

#include <functional>
#include <vector>

#include "BenchRecords.h"
#include "StoreCases.h"

namespace bench {
namespace {

const int kRecentIds = 200;  // more than the store keeps, so it evicts as it goes

struct Clocks {
    double wall = 0;
    double cpu = 0;
};

double Seconds(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double Timed(const std::function<void()>& write, Clocks& total)
{
    const double wall = Seconds(CLOCK_MONOTONIC);
    const double cpu = Seconds(CLOCK_THREAD_CPUTIME_ID);
    write();
    const double spent = Seconds(CLOCK_MONOTONIC) - wall;
    total.wall += spent;
    total.cpu += Seconds(CLOCK_THREAD_CPUTIME_ID) - cpu;
    return spent;
}

// The benchmark's time is the store's; the raw side's, from the same loop, goes to the
// counters that scripts/bench-ratios.py reads as the paired baseline.
void RunPaired(benchmark::State& state, const std::function<void()>& storeWrite,
               const std::function<void()>& rawWrite)
{
    Clocks store;
    Clocks raw;
    bool storeFirst = true;
    for (auto _ : state) {
        double spent;
        if (storeFirst) {
            spent = Timed(storeWrite, store);
            Timed(rawWrite, raw);
        } else {
            Timed(rawWrite, raw);
            spent = Timed(storeWrite, store);
        }
        storeFirst = !storeFirst;
        state.SetIterationTime(spent);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["store_cpu_us"] = store.cpu / n * 1e6;
    state.counters["raw_real_us"] = raw.wall / n * 1e6;
    state.counters["raw_cpu_us"] = raw.cpu / n * 1e6;
    state.SetItemsProcessed(state.iterations());
}

// A store whose file is open and loaded, as after the client's start-up load.
bool OpenLoadedStore(IStore& store, const std::string& path)
{
    PointStoreAtFreshFile(store, path);
    return store.LoadFromDisk() == 1;
}

const std::vector<const STContactInfo*>& Contacts()
{
    static const std::vector<const STContactInfo*> contacts = [] {
        std::vector<const STContactInfo*> all;
        for (const auto& entry : SampleContacts()) all.push_back(&entry.second);
        return all;
    }();
    return contacts;
}

void AddContact(benchmark::State& state)
{
    BenchDir dir;
    CStore store;
    IStore& api = store;
    if (!OpenLoadedStore(api, dir.FreshFile("store.db"))) {
        state.SkipWithError("cannot load the store");
        return;
    }
    sqlite3* db = OpenRawWithTables(dir.FreshFile("raw.db"), {L"ContactListInfo"});
    {
        RawStatement replace(db, "replace into ContactListInfo (uid,contactinfo) values (?,?)");
        size_t storeNext = 0;
        size_t rawNext = 0;
        RunPaired(
            state, [&] { api.AddContact(*Contacts()[storeNext++ % Contacts().size()], false); },
            [&] {
                const STContactInfo& contact = *Contacts()[rawNext++ % Contacts().size()];
                replace.Int(1, static_cast<int32_t>(contact.uid)).Utf8(2, RawContactJson(contact)).Run();
            });
    }
    sqlite3_close(db);
}

void UpdateRecent(benchmark::State& state)
{
    BenchDir dir;
    CStore store;
    IStore& api = store;
    if (!OpenLoadedStore(api, dir.FreshFile("store.db"))) {
        state.SkipWithError("cannot load the store");
        return;
    }
    sqlite3* db = OpenRawWithTables(dir.FreshFile("raw.db"), {L"RecentContact"});
    {
        RawStatement replace(db, "replace into RecentContact (type,recentId,time) values (?, ?, ?)");
        int storeNext = 0;
        int rawNext = 0;
        RunPaired(
            state,
            [&] {
                ++storeNext;
                api.UpdateRecentContactor(storeNext % kRecentIds, storeNext % 3, 1700000000 + storeNext);
            },
            [&] {
                ++rawNext;
                replace.Int(1, rawNext % 3).Int(2, rawNext % kRecentIds).Int(3, 1700000000 + rawNext).Run();
            });
    }
    sqlite3_close(db);
}

void SetLastLiveTime(benchmark::State& state)
{
    BenchDir dir;
    CStore store;
    IStore& api = store;
    if (!OpenLoadedStore(api, dir.FreshFile("store.db"))) {  // the load writes the row
        state.SkipWithError("cannot load the store");
        return;
    }
    sqlite3* db = OpenRawWithTables(dir.FreshFile("raw.db"), {L"Fast_Login_Data"});
    RawExec(db, "insert into Fast_Login_Data(Uid, LastLiveTime, SessionId) values (1, 0, '')");
    {
        RawStatement update(db, "Update Fast_Login_Data Set LastLiveTime= ? where Uid = ? ");
        unsigned int storeTime = 1700000000u;
        unsigned int rawTime = 1700000000u;
        RunPaired(
            state,
            [&] {
                ++storeTime;
                api.SetLastLiveTime(&storeTime, true);
            },
            [&] { update.Int(1, ++rawTime).Int(2, 1).Run(); });
    }
    sqlite3_close(db);
}

#define KIVO_PAIRED(fn, name) \
    BENCHMARK(fn)->Name(name)->MinTime(0.5)->Unit(benchmark::kMicrosecond)->UseManualTime()

KIVO_PAIRED(AddContact, "AddContact/Store");
KIVO_PAIRED(UpdateRecent, "UpdateRecentContactor/Store");
KIVO_PAIRED(SetLastLiveTime, "SetLastLiveTime/Store");

}  // namespace
}  // namespace bench
