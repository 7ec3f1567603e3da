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

BENCHMARK(UserMemoryStore)->Name("UsersMemory/Store")->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(UserMemoryRaw)->Name("UsersMemory/Raw")->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ContactMemoryStore)->Name("ContactsMemory/Store")->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ContactMemoryRaw)->Name("ContactsMemory/Raw")->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace bench
