// Single rows written at once, each committed (and synced) on its own: AddContact,
// UpdateRecentContactor and SetLastLiveTime(&t, true) through IStore, against the same
// statement prepared once on a raw connection with the wrapper's WAL and synchronous=FULL.
// The two sides alternate in one loop (RunPaired).
#include <initializer_list>
#include <vector>

#include "BenchRecords.h"
#include "StoreCases.h"

namespace bench {
namespace {

const int kRecentIds = 200;  // more than the store keeps, so it evicts as it goes

const std::vector<const STContactInfo*>& Contacts()
{
    static const std::vector<const STContactInfo*> contacts = [] {
        std::vector<const STContactInfo*> all;
        for (const auto& entry : SampleContacts()) all.push_back(&entry.second);
        return all;
    }();
    return contacts;
}

// Runs time(store, raw) on a store whose file is open and loaded, as after the client's
// start-up load, and a raw connection on a fresh file holding the tables. The connection
// closes once time returns, so its statements must be finalized by then.
template <typename Time>
void WithLoadedStore(benchmark::State& state, std::initializer_list<const wchar_t*> tables, Time time)
{
    BenchDir dir;
    CStore store;
    IStore& api = store;
    PointStoreAtFreshFile(api, dir.FreshFile("store.db"));
    if (api.LoadFromDisk() != 1) {
        state.SkipWithError("cannot load the store");
        return;
    }
    sqlite3* db = OpenRawWithTables(dir.FreshFile("raw.db"), tables);
    time(api, db);
    sqlite3_close(db);
}

void AddContact(benchmark::State& state)
{
    WithLoadedStore(state, {L"ContactListInfo"}, [&](IStore& api, sqlite3* db) {
        RawStatement replace(db, "replace into ContactListInfo (uid,contactinfo) values (?,?)");
        size_t storeNext = 0;
        size_t rawNext = 0;
        RunPaired(
            state, [&] { api.AddContact(*Contacts()[storeNext++ % Contacts().size()], false); },
            [&] {
                const STContactInfo& contact = *Contacts()[rawNext++ % Contacts().size()];
                replace.Int(1, static_cast<int32_t>(contact.uid)).Utf8(2, RawContactJson(contact)).Run();
            });
    });
}

void UpdateRecent(benchmark::State& state)
{
    WithLoadedStore(state, {L"RecentContact"}, [&](IStore& api, sqlite3* db) {
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
    });
}

void SetLastLiveTime(benchmark::State& state)
{
    WithLoadedStore(state, {L"Fast_Login_Data"}, [&](IStore& api, sqlite3* db) {
        // The store's load wrote its row; the raw side gets its own.
        RawExec(db, "insert into Fast_Login_Data(Uid, LastLiveTime, SessionId) values (1, 0, '')");
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
    });
}

#define KIVO_PAIRED(fn, name) \
    BENCHMARK(fn)->Name(name)->MinTime(0.5)->Unit(benchmark::kMicrosecond)->UseManualTime()

KIVO_PAIRED(AddContact, "AddContact/Store");
KIVO_PAIRED(UpdateRecent, "UpdateRecentContactor/Store");
KIVO_PAIRED(SetLastLiveTime, "SetLastLiveTime/Store");

}  // namespace
}  // namespace bench
