// An example client: load a database, change a department, save it by mask, print the result.
#include <cstdio>
#include <list>
#include <string>

#include <IStore.h>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DATABASE\n", argv[0]);
        return 2;
    }
    std::wstring path;
    for (const char* p = argv[1]; *p; ++p) path += static_cast<wchar_t>(static_cast<unsigned char>(*p));

    IStore* store = IStore::GetInstance();
    store->SetDBPath(CString(path));
    if (!store->LoadFromDisk()) {
        std::fprintf(stderr, "cannot open %s\n", argv[1]);
        return 1;
    }

    std::list<boost::shared_ptr<STDeptInfo>> depts;
    store->LoadDeptInfo(0, depts);
    STDeptInfo dept;
    dept.Cid = 1;
    dept.Did = static_cast<ULONG>(depts.size() + 1);
    dept.Name = L"Department added by the example client";
    store->SaveDeptInfo(dept);

    const unsigned int mask = 0x1;
    store->SetDataConsistentFlag(mask, true);
    const int saved = store->SaveToDisk(mask, TRUE);
    std::printf("departments before: %zu, save by mask 0x%x: %s\n", depts.size(), mask, saved ? "ok" : "failed");
    return saved ? 0 : 1;
}
