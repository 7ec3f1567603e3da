// 5,000 contacts with two corporation entries each (mask 0x400000), one JSON text per
// row: the masked save in one transaction and the masked load. Both sides build and parse
// the JSON inside their timing, the raw side straight with nlohmann (same text, checked).
#include "BenchRecords.h"
#include "StoreCases.h"

namespace bench {
namespace {

using Contacts = std::map<ULONG, STContactInfo>;

void FillContacts(IStore& store)
{
    store.SaveContactList(SampleContacts(), false);
}

void ContactsSave(benchmark::State& state)
{
    ContactFile();  // checks, once, that the raw side writes the store's JSON text
    PairedSave(state, kContactMask, FillContacts, {L"ContactListInfo"}, RawSaveContacts, kContacts);
}

void ContactsLoad(benchmark::State& state)
{
    PairedLoad<Contacts>(state, ContactFile(), kContactMask, RawLoadContacts, kContacts);
}

BENCHMARK(ContactsSave)->Name("ContactsSave/Store")->Iterations(5)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(ContactsLoad)->Name("ContactsLoad/Store")->Iterations(5)->Unit(benchmark::kMillisecond)->UseManualTime();

}  // namespace
}  // namespace bench
