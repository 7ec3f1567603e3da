// 5,000 contacts with two corporation entries each (mask 0x400000), one JSON text per
// row: the masked save in one transaction and the masked load. Both sides build and parse
// the JSON inside their timing, the raw side straight with nlohmann (same text, checked).
#include "BenchRecords.h"
#include "StoreCases.h"

namespace bench {
namespace {

void FillContacts(IStore& store)
{
    store.SaveContactList(SampleContacts(), false);
}

void RawLoad(sqlite3* db, std::map<ULONG, STContactInfo>& contacts)
{
    RawLoadContacts(db, contacts);
}

void ContactSaveStore(benchmark::State& state)
{
    ContactFile();  // checks, once, that the raw side writes the store's JSON text
    TimeStoreSave(state, kContactMask, FillContacts, kContacts);
}

void ContactSaveRaw(benchmark::State& state)
{
    ContactFile();
    TimeRawSave(state, {L"ContactListInfo"}, RawSaveContacts, kContacts);
}

void ContactLoadStore(benchmark::State& state)
{
    TimeStoreLoad(state, ContactFile(), kContactMask, kContacts);
}

void ContactLoadRaw(benchmark::State& state)
{
    TimeRawLoad<std::map<ULONG, STContactInfo>>(state, ContactFile(), RawLoad, kContacts);
}

BENCHMARK(ContactSaveStore)->Name("ContactsSave/Store")->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ContactSaveRaw)->Name("ContactsSave/Raw")->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ContactLoadStore)->Name("ContactsLoad/Store")->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ContactLoadRaw)->Name("ContactsLoad/Raw")->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace bench
