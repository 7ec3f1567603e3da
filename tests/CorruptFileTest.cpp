// Damaged database files: every load and save answers, logs, and leaves the file in place.
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "StoreTestSupport.h"

namespace {

void Overwrite(const std::string& path, long offset, const std::string& bytes)
{
    std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
    file.seekp(offset);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

class CorruptFileTest : public StoreTest {
protected:
    void SetUp() override
    {
        CStore store;
        ASSERT_EQ(LoadAndFill(store, DbPath(), 2000), 1);
        ASSERT_EQ(store.SaveToDisk(AllBits(), TRUE), 1);  // closing checkpoints into one file
        ASSERT_FALSE(std::filesystem::exists(DbPath() + "-wal"));
    }

    long PageSize() { return std::stol(PlainDb(DbPath()).Value("PRAGMA page_size")); }

    // Every operation that touches the file, on a store that holds changes everywhere.
    void UseEverything(CStore& store, int expectedLoad)
    {
        store.SetDBPath(DbPathW());
        EXPECT_EQ(store.LoadFromDisk(AllBits()), expectedLoad);
        EXPECT_EQ(LoadAndFill(store, DbPath(), 2100), expectedLoad);
        store.SaveToDisk(AllBits(), TRUE);
        store.SaveToDisk(AllBits(), FALSE);
        store.SaveToDisk();
        store.CloseDBFile();
    }
};

}  // namespace

TEST_F(CorruptFileTest, AFileThatCannotBeOpenedIsLeftByteForByte)
{
    struct Case {
        const char* name;
        void (*damage)(const std::string& path, long pageSize);
    };
    const Case cases[] = {
        {"not a database", [](const std::string& p, long) { std::ofstream(p, std::ios::trunc) << std::string(9000, 'x'); }},
        {"damaged header", [](const std::string& p, long) { Overwrite(p, 0, "SQLite formal 9"); }},
        {"header page sizes garbled", [](const std::string& p, long) { Overwrite(p, 16, std::string(8, '\xff')); }},
    };
    const std::string pristine = ReadFile(DbPath());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::ofstream(DbPath(), std::ios::binary | std::ios::trunc) << pristine;
        c.damage(DbPath(), PageSize());
        const std::string damaged = ReadFile(DbPath());
        m_log.Clear();
        CStore store;
        UseEverything(store, 0);
        EXPECT_EQ(store.SaveToDisk(AllBits(), TRUE), 0);
        EXPECT_TRUE(m_log.AnyContains(L"OpenDBFile failed"));
        EXPECT_EQ(ReadFile(DbPath()), damaged);
    }
}

TEST_F(CorruptFileTest, ADamagedTablePageFailsItsStoreOnly)
{
    const long pageSize = PageSize();
    const long root = std::stol(PlainDb(DbPath()).Value("select rootpage from sqlite_master where name='DeptInfo'"));
    Overwrite(DbPath(), (root - 1) * pageSize, std::string(pageSize, '\x5a'));
    CStore store;
    UseEverything(store, 1);  // the file opens; the damaged store fails on its own
    EXPECT_TRUE(m_log.Has(L"CDeptInfoDBStore::LoadFromDisk", L"select * error"));
    store.SaveDeptInfo(STDeptInfo());
    EXPECT_EQ(store.SaveToDisk(0x1, TRUE), 0);
    EXPECT_TRUE(m_log.Has(L"CDeptInfoDBStore::SaveToDisk", L"delete from deptinfo error"));
}

// The large tables are read row by row into the store: rows read before a damaged page
// must not stay behind as if they were the whole table, nor leave log lines of their own.
TEST_F(CorruptFileTest, AReadThatFailsPartWayLeavesItsStoreEmpty)
{
    struct Case {
        const char* table;
        unsigned mask;
        const wchar_t* tag;
        size_t (*held)(CStore&);
    };
    const Case cases[] = {
        {"UserBaseInfo", 0x4, L"CUserBaseInfoDBStore::LoadFromDisk",
         [](CStore& s) { std::list<STUserBaseInfo> all; s.GetAllUserBaseInfo(all); return all.size(); }},
        {"DeptInfo", 0x1, L"CDeptInfoDBStore::LoadFromDisk",
         [](CStore& s) { return HeldDepts(s).size(); }},
        {"DeptUserInfo", 0x2, L"CDeptUserDBStore::LoadFromDisk",
         [](CStore& s) { STDeptUserInfo first; return static_cast<size_t>(s.LoadDeptUserInfo(1, first)); }},
        {"ContactListInfo", 0x400000, L"CContactListDBStore::LoadFromDisk",
         [](CStore& s) { return static_cast<size_t>(s.GetContactCount(false)); }},
    };
    // An unreadable contact early in the table: its line is due only after a whole read.
    PlainDb(DbPath()).Exec("update ContactListInfo set contactinfo='not json' where uid=1");
    const std::string pristine = ReadFile(DbPath());
    for (const Case& c : cases) {
        std::ofstream(DbPath(), std::ios::binary | std::ios::trunc) << pristine;
        const std::string leaves = "from dbstat where name='" + std::string(c.table) + "' and pagetype='leaf'";
        ASSERT_GE(std::stol(PlainDb(DbPath()).Value("select count(*) " + leaves)), 2) << c.table;
        const long lastLeaf = std::stol(PlainDb(DbPath()).Value("select pageno " + leaves + " order by path desc limit 1"));
        Overwrite(DbPath(), (lastLeaf - 1) * PageSize(), std::string(PageSize(), '\x5a'));

        StoreOn store(DbPathW());
        m_log.Clear();
        store.LoadFromDisk(c.mask);
        EXPECT_TRUE(m_log.Has(c.tag, L"select * ")) << c.table;
        EXPECT_FALSE(m_log.AnyContains(L"JsonStringToContactInfo failed")) << c.table;
        EXPECT_EQ(c.held(store), 0u) << c.table;
        store.CloseDBFile();
    }
}

TEST_F(CorruptFileTest, ATruncatedFileIsAnsweredAndNeverReplaced)
{
    const uintmax_t size = std::filesystem::file_size(DbPath());
    std::filesystem::resize_file(DbPath(), size / 3);
    StoreOn store(DbPathW());
    const int loaded = store.LoadFromDisk();  // either answer is sound, as long as it is the same each time
    UseEverything(store, loaded);
    bool logged = false;
    for (const KivoLogRecord& r : m_log.Records()) logged = logged || (r.hasCode && r.code != 0);
    EXPECT_TRUE(logged || m_log.AnyContains(L"OpenDBFile failed"));
    ASSERT_TRUE(std::filesystem::exists(DbPath()));
    EXPECT_GE(std::filesystem::file_size(DbPath()), size / 3);
}
