// The module as a client sees it: dlopen, the exported accessor found by its name, slots
// called by raw vtable index (slot k sits at index k + 1: the destructor takes two entries).
#include <dlfcn.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "IStore.h"
#include "TestDb.h"
#include "Utf8.h"

namespace {

class ModuleClientTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_module = dlopen(KIVO_MODULE_PATH, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(m_module, nullptr) << dlerror();
        auto getInstance = reinterpret_cast<void* (*)()>(dlsym(m_module, "_ZN6IStore11GetInstanceEv"));
        ASSERT_NE(getInstance, nullptr) << dlerror();
        m_store = getInstance();
        ASSERT_NE(m_store, nullptr);
        EXPECT_EQ(m_store, getInstance());
    }
    void TearDown() override
    {
        if (m_module) dlclose(m_module);
    }

    // Calls slot k of the instance with the given arguments.
    template <typename R, typename... Args>
    R Slot(int k, Args... args)
    {
        void** vtable = *reinterpret_cast<void***>(m_store);
        auto fn = reinterpret_cast<R (*)(void*, Args...)>(vtable[k + 1]);
        return fn(m_store, args...);
    }

    void* m_module = nullptr;
    void* m_store = nullptr;
    TempDir m_dir;
};

// The descriptors of this process open on the file or a file beside it (-wal, -shm).
int DescriptorsOn(const std::string& file)
{
    const std::string real = std::filesystem::canonical(file).string();
    int count = 0;
    for (const auto& fd : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        const std::string target = std::filesystem::read_symlink(fd.path(), error).string();
        if (target.compare(0, real.size(), real) == 0) ++count;
    }
    return count;
}

}  // namespace

// Unloading the module destroys the store: the file is let go, and the module loaded again
// hands out a new store that holds nothing.
TEST_F(ModuleClientTest, UnloadDestroysTheStoreAndReleasesTheFile)
{
    const std::string file = m_dir.File("client.db");
    const CString path(FromUtf8(file));
    Slot<void, const CString*>(43, &path);                              // SetDBPath
    ASSERT_EQ(Slot<int>(37), 1);                                        // LoadFromDisk(): the file stays open
    STContactInfo contact;
    contact.uid = 5;
    Slot<void, const STContactInfo*, bool>(91, &contact, true);         // AddContact
    ASSERT_GT(DescriptorsOn(file), 0);

    ASSERT_EQ(dlclose(m_module), 0);
    m_module = nullptr;
    EXPECT_EQ(DescriptorsOn(file), 0);
    SetUp();
    EXPECT_EQ((Slot<int, bool>(97, true)), 0);                          // GetContactCount
}

// Slots 3 and 12 are no-ops, 40 sets the flags, 75 and 76 the corporation counter, 100 resets;
// one slot of every sample family besides (departments, directory by its counter, groups,
// sessions, contact lists).
TEST_F(ModuleClientTest, SlotsCalledByPositionReachTheirOperations)
{
    const std::string file = m_dir.File("client.db");
    const CString path(FromUtf8(file));
    Slot<void, const CString*>(43, &path);                              // SetDBPath
    EXPECT_EQ((Slot<int, ULONG, ULONG, ULONG>(3, 7, 8, 9)), 1);
    EXPECT_EQ((Slot<int, ULONG>(12, 7)), 1);
    ASSERT_EQ(Slot<int>(37), 1);                                        // LoadFromDisk()

    STDeptInfo dept;
    dept.Did = 77;
    dept.Name = L"by position";
    EXPECT_EQ((Slot<int, const STDeptInfo*>(1, &dept)), 1);             // SaveDeptInfo
    EXPECT_EQ((Slot<int, unsigned int, bool>(40, 0x1, true)), 1);       // SetDataConsistentFlag
    EXPECT_EQ((Slot<int, unsigned int, int>(38, 0x1, TRUE)), 1);        // SaveToDisk(mask): the flag let it write
    EXPECT_EQ(PlainDb(file).Value("select Name from DeptInfo where Did=77"), "by position");

    EXPECT_EQ((Slot<int, ULONG>(76, 4000000000u)), 1);                  // SaveCorpUC
    LONG uc = 0;
    EXPECT_EQ((Slot<int, LONG*>(75, &uc)), 1);                          // GetCorpUC
    EXPECT_EQ(static_cast<ULONG>(uc), 4000000000u);

    boost::shared_ptr<STGroup> group = STGroup::CreateObject();
    *group = STGroup{3, L"outer"};
    EXPECT_EQ((Slot<int, boost::shared_ptr<STGroup>*>(7, &group)), 1);  // UpdateGroup (by value: a pointer here)
    boost::shared_ptr<STGroup> got;
    EXPECT_EQ((Slot<int, unsigned int, boost::shared_ptr<STGroup>*>(9, 3, &got)), 1);
    EXPECT_TRUE(got && got->Name == L"outer");

    std::list<STSessionInfo> sessions(1);
    sessions.front().SessionId = 9;
    Slot<void, const std::list<STSessionInfo>*>(45, &sessions);         // SaveSessionList
    std::list<STSessionInfo> gotSessions;
    Slot<void, std::list<STSessionInfo>*>(44, &gotSessions);
    EXPECT_EQ(gotSessions.size(), 1u);

    STContactInfo contact;
    contact.uid = 5;
    Slot<void, const STContactInfo*, bool>(91, &contact, true);         // AddContact, stranger list
    EXPECT_EQ((Slot<int, bool>(97, true)), 1);                          // GetContactCount
    EXPECT_EQ((Slot<int, bool>(97, false)), 0);

    EXPECT_EQ(Slot<int>(100), 1);                                       // Reset
    std::list<boost::shared_ptr<STDeptInfo>> depts;
    Slot<int, ULONG, std::list<boost::shared_ptr<STDeptInfo>>*>(2, 0, &depts);
    EXPECT_TRUE(depts.empty());
    EXPECT_EQ((Slot<int, unsigned int>(36, 0x1)), 1);                   // LoadFromDisk(mask): same path
    Slot<int, ULONG, std::list<boost::shared_ptr<STDeptInfo>>*>(2, 0, &depts);
    EXPECT_EQ(depts.size(), 1u);
    Slot<void>(41);                                                     // CloseDBFile
}

// The store's log reaches a client that finds the calls by dlsym; texts arrive in UTF-8.
// Without a sink nothing is written.
TEST_F(ModuleClientTest, LogRecordsReachACallbackFoundByDlsym)
{
    auto setCallback = reinterpret_cast<void (*)(KivoStoreLogCallback, void*)>(dlsym(m_module, "KivoStore_SetLogCallback"));
    auto setFile = reinterpret_cast<int (*)(const char*)>(dlsym(m_module, "KivoStore_SetLogFile"));
    auto version = reinterpret_cast<const char* (*)()>(dlsym(m_module, "KivoStore_Version"));
    ASSERT_TRUE(setCallback && setFile && version);
    EXPECT_STREQ(version(), KIVOSTORE_VERSION);

    std::vector<std::string> lines;
    setCallback([](const KivoStoreLogRecord* r, void* to) {
        static_cast<std::vector<std::string>*>(to)->push_back(std::string(r->function) + "|" + r->message + "|" +
                                                              (r->hasCode ? std::to_string(r->code) : "") + "|" + r->text);
    }, &lines);
    const std::string file = m_dir.File("Ren\xc3\xa9.db");
    const CString path(FromUtf8(file));
    Slot<void, const CString*>(43, &path);  // SetDBPath
    auto saveSessions = [this] { Slot<int, unsigned int, int>(38, 0x40, FALSE); };
    saveSessions();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "|||CStore::OpenDBFile db_file = " + file), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "CStore::SaveToDisk|Begin and type = |64|"), lines.end());

    setCallback(nullptr, nullptr);
    const size_t seen = lines.size();
    const std::string log = m_dir.File("store.log");
    EXPECT_EQ(setFile(m_dir.File("missing/store.log").c_str()), 0);
    saveSessions();
    ASSERT_EQ(setFile(log.c_str()), 1);
    saveSessions();
    setFile(nullptr);
    saveSessions();
    EXPECT_EQ(lines.size(), seen);
    const std::string written = ReadFile(log);
    EXPECT_NE(written.find("] CStore::SaveToDisk: End and type =  64\n"), std::string::npos) << written;
    EXPECT_EQ(written.find("db_file = "), written.rfind("db_file = "));  // one save's lines only
}

// Exactly what the installed headers declare leaves the module, besides the standard
// library's and Boost's template instances.
TEST(ModuleExports, OnlyWhatTheHeadersDeclareLeavesTheModule)
{
    const std::string symbols =
        RunCommand(std::string("nm -D --defined-only ") + KIVO_MODULE_PATH +
                   " | c++filt | cut -d' ' -f3- | grep -v -e 'std::' -e 'boost::' -e '__gnu_cxx::' | LC_ALL=C sort -u").out;
    EXPECT_EQ(symbols,
              "CString::CompareNoCase(wchar_t const*) const\n"
              "CString::Format(wchar_t const*, ...)\n"
              "CString::FormatV(wchar_t const*, __va_list_tag*)\n"
              "IStore::GetInstance()\n"
              "IStore::IStore()\n"
              "IStore::IStore(IStore const&)\n"
              "IStore::operator=(IStore const&)\n"
              "IStore::~IStore()\n"
              "KivoStore_SetLogCallback\n"
              "KivoStore_SetLogFile\n"
              "KivoStore_Version\n"
              "STContactor::CreateObject()\n"
              "STContactorEx::CreateObject()\n"
              "STDeptInfo::CreateObject()\n"
              "STGroup::CreateObject()\n"
              "typeinfo for IStore\n"
              "typeinfo name for IStore\n"
              "vtable for IStore\n");
}
