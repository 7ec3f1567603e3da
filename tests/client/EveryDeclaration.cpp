// A client that calls every function the installed headers declare, built the way a
// client builds (an installed prefix, <kivostore/...>, nothing else of the tree): each
// must link and do its job. The copy constructor is the exception: only a class derived
// from IStore can call it; the symbol check beside this client finds it exported.
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include <kivostore/IStore.h>

namespace {

int g_failures = 0;

void Expect(bool ok, const char* what)
{
    if (ok) return;
    std::fprintf(stderr, "every declaration: %s failed\n", what);
    ++g_failures;
}

void Collect(const KivoStoreLogRecord* record, void* context)
{
    *static_cast<std::string*>(context) += std::string(record->function) + record->text + "\n";
}

CString FormatV(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    CString text;
    text.FormatV(format, args);
    va_end(args);
    return text;
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) return 2;
    const std::string folder = argv[1];
    std::string log;
    KivoStore_SetLogCallback(Collect, &log);  // before the instance exists
    Expect(std::strcmp(KivoStore_Version(), KIVOSTORE_VERSION) == 0, "KivoStore_Version");

    IStore* store = IStore::GetInstance();
    Expect(store && store == IStore::GetInstance(), "IStore::GetInstance");
    Expect(&store->IStore::operator=(*store) == store, "IStore::operator=");

    CString path;
    path.Format(L"%s/%s", std::wstring(folder.begin(), folder.end()).c_str(), L"client.db");
    Expect(FormatV(L"%d %s", 7, L"seven") == L"7 seven", "CString::FormatV");
    Expect(CString(L"Client.DB").CompareNoCase(L"client.db") == 0, "CString::CompareNoCase");
    store->SetDBPath(path);
    Expect(store->LoadFromDisk(KivoSaveMask::kAllStores) == 1, "LoadFromDisk");
    Expect(log.find("CStore::OpenDBFile db_file = ") != std::string::npos, "the log callback");

    boost::shared_ptr<STDeptInfo> dept = STDeptInfo::CreateObject();
    dept->Did = 5;
    store->SaveDeptInfo(*dept);
    boost::shared_ptr<STGroup> group = STGroup::CreateObject();
    group->Gid = 6;
    store->UpdateGroup(group);
    boost::shared_ptr<STContactor> contact = STContactor::CreateObject();
    contact->Uid = 7;
    store->UpdateInnerContact(contact);
    STContactInfo info;
    info.uid = 8;
    info.contactor = *STContactorEx::CreateObject();
    store->AddContact(info, false);
    Expect(store->IsContactExist(8, false) == 1, "STContactorEx::CreateObject and AddContact");

    const std::string logFile = folder + "/store.log";
    Expect(KivoStore_SetLogFile(logFile.c_str()) == 1, "KivoStore_SetLogFile");
    const unsigned int mask = KivoSaveMask::kDeptInfo | KivoSaveMask::kOuterGroupInfo | KivoSaveMask::kInnerContactListInfo;
    store->SetDataConsistentFlag(mask, true);
    Expect(store->SaveToDisk(mask, TRUE) == 1, "SaveToDisk");
    KivoStore_SetLogFile(nullptr);
    Expect(ReadAll(logFile).find("CStore::SaveToDisk: End and type = ") != std::string::npos, "the log file");

    store->Reset();
    store->LoadFromDisk();
    boost::shared_ptr<STGroup> loaded;
    Expect(store->GetGroup(6, loaded) == 1 && store->GetInnerContact(7, contact) == 1, "the round trip");
    KivoStore_SetLogCallback(nullptr, nullptr);
    if (g_failures == 0) std::printf("every declaration: ok\n");
    return g_failures == 0 ? 0 : 1;
}
