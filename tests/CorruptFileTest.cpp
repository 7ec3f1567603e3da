// Damaged database files: every load and save answers, logs, and leaves the file in place.
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
        m_pristine = ReadFile(DbPath());
    }
    void Restore() { std::ofstream(DbPath(), std::ios::binary | std::ios::trunc) << m_pristine; }

    std::string m_pristine;
};

}  // namespace

// A truncated file may still open; the others must not. Either way nothing replaces the file.
TEST_F(CorruptFileTest, ADamagedFileIsAnsweredLoggedAndNeverReplaced)
{
    struct Case {
        const char* name;
        void (*damage)(const std::string& path);
        bool opens;
    };
    const Case cases[] = {
        {"not a database", [](const std::string& p) { std::ofstream(p, std::ios::trunc) << std::string(9000, 'x'); }, false},
        {"damaged header", [](const std::string& p) { Overwrite(p, 0, "SQLite formal 9"); }, false},
        {"truncated", [](const std::string& p) { std::filesystem::resize_file(p, std::filesystem::file_size(p) / 3); }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Restore();
        c.damage(DbPath());
        const std::string damaged = ReadFile(DbPath());
        m_log.Clear();
        StoreOn store(DbPathW());
        const int loaded = c.opens ? store.LoadFromDisk() : 0;
        EXPECT_EQ(store.LoadFromDisk(AllBits()), loaded);
        EXPECT_EQ(LoadAndFill(store, DbPath(), 2100), loaded);
        const int saved = store.SaveToDisk(AllBits(), TRUE);
        store.SaveToDisk();
        store.CloseDBFile();
        bool logged = m_log.AnyContains(L"OpenDBFile failed");
        for (const KivoLogRecord& r : m_log.Records()) logged = logged || (r.hasCode && r.code != 0);
        EXPECT_TRUE(logged);
        if (c.opens) {
            EXPECT_GE(ReadFile(DbPath()).size(), damaged.size());
        } else {
            EXPECT_EQ(saved, 0);
            EXPECT_EQ(ReadFile(DbPath()), damaged);
        }
    }
}

// The last leaf of the table is damaged: the rows read before it must not stay behind as if
// they were the whole table (a save would then write them as all there is).
TEST_F(CorruptFileTest, ADamagedTablePageLeavesItsStoreEmptyAndFailsItsSave)
{
    const long pageSize = std::stol(PlainDb(DbPath()).Value("PRAGMA page_size"));
    const long lastLeaf = std::stol(PlainDb(DbPath()).Value(
        "select pageno from dbstat where name='DeptInfo' and pagetype='leaf' order by path desc limit 1"));
    Overwrite(DbPath(), (lastLeaf - 1) * pageSize, std::string(pageSize, '\x5a'));
    StoreOn store(DbPathW());
    store.LoadFromDisk(0x1);  // the file opens; the damaged store fails on its own
    EXPECT_TRUE(m_log.Has(L"CDeptInfoDBStore::LoadFromDisk", L"select * error"));
    EXPECT_TRUE(HeldDepts(store).empty());
    store.SaveDeptInfo(STDeptInfo());
    store.SetDataConsistentFlag(0x1, true);
    EXPECT_EQ(store.SaveToDisk(0x1, TRUE), 0);
    // The delete finds no row through the index; the insert meets the damaged page.
    EXPECT_TRUE(m_log.Has(L"CDeptInfoDBStore::SaveToDisk", L"insert into deptinfo error"));
}
