#include <stdexcept>

#include "Store.h"
#include "TestDb.h"
#include "Utf8.h"

void CreateSchema(const std::string& path)
{
    CStore store;
    store.SetDBPath(CString(FromUtf8(path)));
    if (!store.OpenDBFile()) throw std::runtime_error("cannot create the schema in " + path);
    store.CloseDBFile();
}
