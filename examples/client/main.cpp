// An example client: load a database, change a department and a contact, save both by
// mask in one transaction, and print the result.
#include <cstdio>
#include <list>
#include <map>
#include <string>

#include <kivostore/IStore.h>

namespace {

std::wstring Widen(const char* text)
{
    std::wstring wide;
    for (const char* p = text; *p; ++p) wide += static_cast<wchar_t>(static_cast<unsigned char>(*p));
    return wide;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DATABASE\n", argv[0]);
        return 2;
    }
    IStore* store = IStore::GetInstance();
    store->SetDBPath(CString(Widen(argv[1])));
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

    std::map<ULONG, STContactInfo> contacts;
    store->GetContactList(contacts, false);
    STContactInfo& contact = contacts[static_cast<ULONG>(contacts.size() + 1)];
    contact.uid = static_cast<ULONG>(contacts.size());
    contact.name = L"Contact added by the example client";
    store->SaveContactList(contacts, false);

    const unsigned int mask = KivoSaveMask::kDeptInfo | KivoSaveMask::kContactListInfo;
    store->SetDataConsistentFlag(mask, true);
    const int saved = store->SaveToDisk(mask, TRUE);
    std::printf("departments before: %zu, contacts now: %d, save by mask: %s\n", depts.size(),
                store->GetContactCount(false), saved ? "ok" : "failed");
    return saved ? 0 : 1;
}
