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
        if (table[0] == "ContactUC") {
            for (auto& row : rows) row.resize(1);  // its second column is the clock at the save
        }
        std::sort(rows.begin(), rows.end());
        snapshot[table[0]] = rows;
    }
    return snapshot;
}

enum class SaveKind { SharedTransaction, EachStoreItsOwn };

int Save(CStore& store, SaveKind kind)
{
    return kind == SaveKind::SharedTransaction ? store.SaveToDisk(AllBits(), TRUE) : store.SaveToDisk();
}

class FaultWalkTest : public ::testing::TestWithParam<SaveKind> {
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
        std::filesystem::remove(path + "-wal");
        std::filesystem::remove(path + "-shm");
        std::filesystem::copy_file(m_base, path, std::filesystem::copy_options::overwrite_existing);
        return path;
    }

    bool StoreReportedAFailure() const
    {
        for (const KivoLogRecord& r : m_quiet.Records()) {
            if (r.hasCode && r.code != 0 && r.function.find(L"DBStore") != std::wstring::npos) return true;
        }
        return false;
    }

    TempDir m_dir;
    LogCapture m_quiet;  // the faults log a lot; keep it off the console
    std::string m_base;
};

}  // namespace

TEST_P(FaultWalkTest, EveryTableIsOldOrNewAfterAFaultAndTheNextSaveCompletes)
{
    const SaveKind kind = GetParam();
    // A clean run: what the save means to write, and how many points it passes.
    const std::string cleanPath = Copy("clean.db");
    int writes = 0;
    int syncs = 0;
    {
        FaultVfs vfs;
        CStore store;
        ASSERT_EQ(LoadAndFill(store, cleanPath, kChangedScale), 1);
        vfs.ResetCounts();
        ASSERT_EQ(Save(store, kind), 1);
        writes = vfs.Writes();
        syncs = vfs.Syncs();
    }
    const Snapshot expected = Take(cleanPath);
    ASSERT_GT(writes, 0);

    struct Point { FaultVfs::Op op; int nth; FaultVfs::Mode mode; };
    std::vector<Point> points;
    for (int n = 1; n <= writes; ++n) points.push_back({FaultVfs::Op::Write, n, FaultVfs::Mode::Once});
    for (int n = 1; n <= syncs; ++n) points.push_back({FaultVfs::Op::Sync, n, FaultVfs::Mode::Once});
    for (int n = 1; n <= writes; n += std::max(1, writes / 8)) {
        points.push_back({FaultVfs::Op::Write, n, FaultVfs::Mode::FromThenOn});  // a dead disk
    }

    int refused = 0;
    for (const Point& point : points) {
        SCOPED_TRACE(testing::Message() << (point.op == FaultVfs::Op::Write ? "write " : "sync ") << point.nth
                                        << (point.mode == FaultVfs::Mode::Once ? " once" : " from then on"));
        const std::string path = Copy("walk.db");
        CStore store;
        Snapshot before;
        {
            FaultVfs vfs;
            ASSERT_EQ(LoadAndFill(store, path, kChangedScale), 1);
            before = Take(path);  // immediate writes of the changes are in; the save is not
            vfs.Arm(point.op, point.nth, point.mode);
            m_quiet.Clear();
            const int result = Save(store, kind);
            if (result != 1 || StoreReportedAFailure()) ++refused;
            vfs.Disarm();
            store.CloseDBFile();
        }
        const Snapshot after = Take(path);
        for (const auto& [table, rows] : expected) {
            EXPECT_TRUE(after.at(table) == before.at(table) || after.at(table) == rows) << table << " is a mix";
        }
        EXPECT_EQ(PlainDb(path).Value("PRAGMA integrity_check"), "ok");
        EXPECT_EQ(Save(store, kind), 1);  // nothing pending was forgotten
        const Snapshot resaved = Take(path);
        for (const auto& [table, rows] : expected) EXPECT_TRUE(resaved.at(table) == rows) << table << " after a second save";
    }
    EXPECT_GT(refused, 0);  // the faults did reach the save
    std::cout << "[ fault walk ] " << points.size() << " points (" << writes << " writes, " << syncs
              << " syncs), faults the save reported: " << refused << std::endl;
    RecordProperty("points", static_cast<int>(points.size()));
}

INSTANTIATE_TEST_SUITE_P(Saves, FaultWalkTest,
                         ::testing::Values(SaveKind::SharedTransaction, SaveKind::EachStoreItsOwn),
                         [](const auto& info) {
                             return info.param == SaveKind::SharedTransaction ? "SharedTransaction" : "EachStoreItsOwn";
                         });
