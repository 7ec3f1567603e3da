// What the store opens and creates: regular files only, and new files the owner's alone
// (the file holds the fast-login token), whatever the umask.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

#include "StoreTestSupport.h"

namespace {

using FileModeTest = StoreTest;

TEST_F(FileModeTest, NewFilesAndTheirSideFilesAreOwnerOnlyUnderAnyUmask)
{
    for (mode_t mask : {022, 0277}) {
        SCOPED_TRACE(mask);
        const mode_t before = umask(mask);
        const std::string path = m_dir.File("umask" + std::to_string(mask) + ".db");
        {
            StoreOn store(path);
            ASSERT_EQ(1, store.LoadFromDisk());
            for (const char* suffix : {"", "-wal", "-shm"}) EXPECT_EQ(0600u, ModeOf(path + suffix)) << suffix;
        }
        PlainDb plain(path);  // a journal of its own, as a client of an older kind keeps one
        plain.Exec("PRAGMA journal_mode=PERSIST");
        plain.Exec("create table Journaled(x)");
        EXPECT_EQ(0600u, ModeOf(path + "-journal"));
        umask(before);
    }
    // A file that is there keeps its mode.
    std::fclose(std::fopen(DbPath().c_str(), "w"));
    ASSERT_EQ(0, chmod(DbPath().c_str(), 0640));
    StoreOn store(DbPath());
    ASSERT_EQ(1, store.LoadFromDisk());
    EXPECT_EQ(0640u, ModeOf(DbPath()));
}

// SQLite would block on a FIFO, write into a device, and put side files beside either; a
// socket is refused by the same test of the file's type.
TEST_F(FileModeTest, APathThatNamesNoRegularFileIsRefusedWithALogLine)
{
    const struct {
        const char* name;
        const wchar_t* kind;
        int (*make)(const char* path);
    } cases[] = {
        {"fifo.db", L"a FIFO", [](const char* p) { return mkfifo(p, 0600); }},
        {"folder.db", L"a folder", [](const char* p) { return mkdir(p, 0700); }},
        {"device.db", L"a device", [](const char* p) { return symlink("/dev/null", p); }},
        {"nowhere.db", L"a link to nothing", [](const char* p) { return symlink("missing", p); }},
    };
    std::vector<std::string> made;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = m_dir.File(c.name);
        ASSERT_EQ(0, c.make(path.c_str()));
        made.push_back(c.name);
        StoreOn store(path);
        m_log.Clear();
        EXPECT_EQ(0, store.LoadFromDisk());
        EXPECT_TRUE(m_log.Has(L"CStore::OpenDBFile", c.kind));
        store.SetDataConsistentFlag(AllBits(), true);
        EXPECT_EQ(0, store.SaveToDisk(AllBits(), TRUE));
        unsigned t = 1;
        EXPECT_EQ(0, store.SetLastLiveTime(&t, true));
    }
    std::sort(made.begin(), made.end());
    EXPECT_EQ(made, FolderEntries(m_dir.Path()));  // nothing beside them
}

TEST_F(FileModeTest, ALinkToARegularFileIsFollowedAndItsSideFilesLieBesideTheRealFile)
{
    ASSERT_EQ(0, mkdir(m_dir.File("real").c_str(), 0700));
    const std::string real = m_dir.File("real/store.db");
    CreateSchema(real);
    ASSERT_EQ(0, symlink(real.c_str(), DbPath().c_str()));
    StoreOn store(DbPath());
    ASSERT_EQ(1, store.LoadFromDisk());
    unsigned t = 5;
    ASSERT_EQ(1, store.SetLastLiveTime(&t, true));
    EXPECT_EQ(0u, ModeOf(DbPath() + "-wal"));
    EXPECT_NE(0u, ModeOf(real + "-wal"));
    store.CloseDBFile();
    EXPECT_EQ("5", PlainDb(real).Value("select LastLiveTime from Fast_Login_Data"));
}

}  // namespace
