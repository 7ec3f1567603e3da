#include "IStore.h"

#include "Store.h"

IStore::IStore() = default;
IStore::IStore(const IStore&) = default;
IStore& IStore::operator=(const IStore&) = default;
IStore::~IStore() = default;

IStore* IStore::GetInstance()
{
    // A function-local static: built on the first call, destroyed once at unload.
    static CStore instance;
    return &instance;
}
