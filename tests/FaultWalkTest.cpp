// Walks every write and sync point of a save with an injected I/O fault, and checks after
// each that the file holds, table by table, either what it held before the save or what
// the save meant to write, never a mix; and that a second save without faults completes.
#include <filesystem>
#include <iostream>

#include "FaultVfs.h"
#include "StoreTestSupport.h"

namespace {

using Snapshot = std::map<std::string, Rows>;

const int kBaseScale = 200;
const int kChangedScale = 320;

Snapshot Take(const std::string& path)
{
    PlainDb plain(path);
    Snapshot snapshot;
    for (const auto& table : plain.Rows("select name from sqlite_master where type='table'")) {
        Rows rows = plain.Rows("select * from \"" + table[0] + "\"");
        if (table[0] == "ContactUC")
            for (auto& row : rows) row.resize(1);  // its second column is the clock at the save
        std::sort(rows.begin(), rows.end());
        snapshot[table[0]] = rows;
    }
    return snapshot;
}

// The parameter: a masked save of every store in one shared transaction, or SaveToDisk()
// with each store's own.
class FaultWalkTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        m_base = m_dir.File("base.db");
        CStore store;
        ASSERT_EQ(LoadAndFill(store, m_base, kBaseScale), 1);
        ASSERT_EQ(store.SaveToDisk(AllBits(), TRUE), 1);
    }

    // A fresh copy of the base file to fault.
    std::string Copy(const std::string& name)
    {
        const std::string path = m_dir.File(name);
        for (const char* suffix : {"-wal", "-shm"}) std::filesystem::remove(path + suffix);
        std::filesystem::copy_file(m_base, path, std::filesystem::copy_options::overwrite_existing);
        return path;
    }

    TempDir m_dir;
    LogCapture m_quiet;  // the faults log a lot; keep it off the console
    std::string m_base;
};

}  // namespace

TEST_P(FaultWalkTest, EveryTableIsOldOrNewAfterAFaultAndTheNextSaveCompletes)
{
    const bool shared = GetParam();
    auto Save = [shared](CStore& store) { return shared ? store.SaveToDisk(AllBits(), TRUE) : store.SaveToDisk(); };
    // A clean run: what the save means to write, and how many points it passes.
    const std::string cleanPath = Copy("clean.db");
    int writes = 0;
    int syncs = 0;
    {
        FaultVfs vfs;
        CStore store;
        ASSERT_EQ(LoadAndFill(store, cleanPath, kChangedScale), 1);
        vfs.ResetCounts();
        ASSERT_EQ(Save(store), 1);
        writes = vfs.Writes();
        syncs = vfs.Syncs();
    }
    const Snapshot expected = Take(cleanPath);
    ASSERT_GT(writes, 0);

    struct Point { FaultVfs::Op op; int nth; FaultVfs::Mode mode; };
    std::vector<Point> points;
    for (int n = 1; n <= writes; ++n) points.push_back({FaultVfs::Op::Write, n, FaultVfs::Mode::Once});
    for (int n = 1; n <= syncs; ++n) points.push_back({FaultVfs::Op::Sync, n, FaultVfs::Mode::Once});
    for (int n = 1; n <= writes; n += std::max(1, writes / 8))
        points.push_back({FaultVfs::Op::Write, n, FaultVfs::Mode::FromThenOn});  // a dead disk

    for (const Point& point : points) {
        SCOPED_TRACE(testing::Message() << "point " << &point - points.data() << " of " << points.size());
        const std::string path = Copy("walk.db");
        CStore store;
        Snapshot before;
        {
            FaultVfs vfs;
            ASSERT_EQ(LoadAndFill(store, path, kChangedScale), 1);
            before = Take(path);  // immediate writes of the changes are in; the save is not
            vfs.Arm(point.op, point.nth, point.mode);
            Save(store);
            EXPECT_TRUE(vfs.Fired());  // the point is one this save passes
            vfs.Disarm();
            store.CloseDBFile();
        }
        const Snapshot after = Take(path);
        EXPECT_EQ(PlainDb(path).Value("PRAGMA integrity_check"), "ok");
        EXPECT_EQ(Save(store), 1);  // nothing pending was forgotten
        const Snapshot resaved = Take(path);
        for (const auto& [table, rows] : expected) {
            EXPECT_TRUE(after.at(table) == before.at(table) || after.at(table) == rows) << table << " is a mix";
            EXPECT_TRUE(resaved.at(table) == rows) << table << " after a second save";
        }
    }
    std::cout << "[ fault walk ] " << points.size() << " points (" << writes << " writes, " << syncs
              << " syncs)" << std::endl;
}

INSTANTIATE_TEST_SUITE_P(Saves, FaultWalkTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "SharedTransaction" : "EachStoreItsOwn"; });
