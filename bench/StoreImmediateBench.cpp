// Single rows written at once, each committed (and synced) on its own: AddContact,
// UpdateRecentContactor and SetLastLiveTime(&t, true) through IStore, against the same
// statement prepared once on a raw connection with the wrapper's WAL and synchronous=FULL.
#include <vector>

#include "BenchRecords.h"
#include "StoreCases.h"

namespace bench {
namespace {

const int kRecentIds = 200;  // more than the store keeps, so it evicts as it goes

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

void AddContactStore(benchmark::State& state)
{
    BenchDir dir;
    CStore store;
    IStore& api = store;
    if (!OpenLoadedStore(api, dir.FreshFile("store.db"))) {
        state.SkipWithError("cannot load the store");
        return;
    }
    size_t next = 0;
    for (auto _ : state) api.AddContact(*Contacts()[next++ % Contacts().size()], false);
    state.SetItemsProcessed(state.iterations());
}

void AddContactRaw(benchmark::State& state)
{
    BenchDir dir;
    sqlite3* db = OpenRawWithTables(dir.FreshFile("raw.db"), {L"ContactListInfo"});
    {
        RawStatement replace(db, "replace into ContactListInfo (uid,contactinfo) values (?,?)");
        size_t next = 0;
        for (auto _ : state) {
            const STContactInfo& contact = *Contacts()[next++ % Contacts().size()];
            replace.Int(1, static_cast<int32_t>(contact.uid)).Utf8(2, RawContactJson(contact)).Run();
        }
    }
    sqlite3_close(db);
    state.SetItemsProcessed(state.iterations());
}

void RecentStore(benchmark::State& state)
{
    BenchDir dir;
    CStore store;
    IStore& api = store;
    if (!OpenLoadedStore(api, dir.FreshFile("store.db"))) {
        state.SkipWithError("cannot load the store");
        return;
    }
    int next = 0;
    for (auto _ : state) {
        ++next;
        api.UpdateRecentContactor(next % kRecentIds, next % 3, 1700000000 + next);
    }
    state.SetItemsProcessed(state.iterations());
}

void RecentRaw(benchmark::State& state)
{
    BenchDir dir;
    sqlite3* db = OpenRawWithTables(dir.FreshFile("raw.db"), {L"RecentContact"});
    {
        RawStatement replace(db, "replace into RecentContact (type,recentId,time) values (?, ?, ?)");
        int next = 0;
        for (auto _ : state) {
            ++next;
            replace.Int(1, next % 3).Int(2, next % kRecentIds).Int(3, 1700000000 + next).Run();
        }
    }
    sqlite3_close(db);
    state.SetItemsProcessed(state.iterations());
}

void LastLiveTimeStore(benchmark::State& state)
{
    BenchDir dir;
    CStore store;
    IStore& api = store;
    if (!OpenLoadedStore(api, dir.FreshFile("store.db"))) {  // the load writes the row
        state.SkipWithError("cannot load the store");
        return;
    }
    unsigned int time = 1700000000u;
    for (auto _ : state) {
        ++time;
        if (api.SetLastLiveTime(&time, true) != 1) {
            state.SkipWithError("the update failed");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations());
}

void LastLiveTimeRaw(benchmark::State& state)
{
    BenchDir dir;
    sqlite3* db = OpenRawWithTables(dir.FreshFile("raw.db"), {L"Fast_Login_Data"});
    RawExec(db, "insert into Fast_Login_Data(Uid, LastLiveTime, SessionId) values (1, 0, '')");
    {
        RawStatement update(db, "Update Fast_Login_Data Set LastLiveTime= ? where Uid = ? ");
        unsigned int time = 1700000000u;
        for (auto _ : state) update.Int(1, ++time).Int(2, 1).Run();
    }
    sqlite3_close(db);
    state.SetItemsProcessed(state.iterations());
}

#define KIVO_IMMEDIATE(fn, name) \
    BENCHMARK(fn)->Name(name)->MinTime(1.0)->Unit(benchmark::kMicrosecond)->UseRealTime()

KIVO_IMMEDIATE(AddContactStore, "AddContact/Store");
KIVO_IMMEDIATE(AddContactRaw, "AddContact/Raw");
KIVO_IMMEDIATE(RecentStore, "UpdateRecentContactor/Store");
KIVO_IMMEDIATE(RecentRaw, "UpdateRecentContactor/Raw");
KIVO_IMMEDIATE(LastLiveTimeStore, "SetLastLiveTime/Store");
KIVO_IMMEDIATE(LastLiveTimeRaw, "SetLastLiveTime/Raw");

}  // namespace
}  // namespace bench
