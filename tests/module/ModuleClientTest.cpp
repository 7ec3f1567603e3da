// The module as a client sees it: dlopen, the exported accessor found by its name, slots
// called by raw vtable index (slot k sits at index k + 1: the destructor takes two entries).
#include <dlfcn.h>

#include <cstdio>
#include <string>

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

std::string Exported()
{
    std::string out;
    FILE* pipe = popen((std::string("nm -D --defined-only ") + KIVO_MODULE_PATH + " | c++filt").c_str(), "r");
    if (!pipe) return out;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    pclose(pipe);
    return out;
}

}  // namespace

TEST_F(ModuleClientTest, TheNoOpSlotAnswersOne)
{
    EXPECT_EQ((Slot<int, ULONG, ULONG, ULONG>(3, 7, 8, 9)), 1);
}

TEST(ModuleExports, OnlyTheInterfaceLeavesTheModule)
{
    const std::string symbols = Exported();
    ASSERT_FALSE(symbols.empty());
    for (const char* wanted : {"IStore::GetInstance()", "IStore::IStore(IStore const&)",
                               "IStore::operator=(IStore const&)", "IStore::~IStore()", "vtable for IStore"}) {
        EXPECT_NE(symbols.find(wanted), std::string::npos) << wanted;
    }
    for (const char* hidden : {"DBStore", "CStore", "CDbSQLite", "CKivoLog", "CMiscFuncs"}) {
        EXPECT_EQ(symbols.find(hidden), std::string::npos) << hidden;
    }
}
