// Damaged database files: moved aside byte for byte, rebuilt from every row that can still
// be read, every update counter at 0; files that are only busy or full are left alone.
#include <filesystem>
#include <fstream>
#include <map>
#include <set>

#include "FaultVfs.h"
#include "Schema.h"
#include "StoreTestSupport.h"

namespace {

typedef std::set<long> Pages;

void Overwrite(const std::string& path, long offset, const std::string& bytes)
{
    std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
    file.seekp(offset);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

long PageSize(const std::string& path) { return std::stol(PlainDb(path).Value("PRAGMA page_size")); }

long PageOf(const std::string& path, const std::string& where)
{
    return std::stol(PlainDb(path).Value("select pageno from dbstat where " + where));
}

Pages ZeroPage(const std::string& path, long page)
{
    const long size = PageSize(path);
    Overwrite(path, (page - 1) * size, std::string(static_cast<size_t>(size), '\0'));
    return {page};
}

std::string Narrow(const wchar_t* text) { return ToUtf8(std::wstring(text)); }

bool IsCounterTable(const std::string& table)
{
    for (const CounterColumn& counter : CSchema::Counters()) {
        if (table == Narrow(counter.table)) return true;
    }
    return false;
}

class DamagedFileTest : public StoreTest {
protected:
    void SetUp() override
    {
        CStore store;
        ASSERT_EQ(LoadAndFill(store, DbPath(), 2000), 1);
        ASSERT_EQ(store.SaveToDisk(AllBits(), TRUE), 1);
        store.CloseDBFile();  // copies the WAL into the file
        std::ofstream(Pristine(), std::ios::binary) << ReadFile(DbPath());
    }
    std::string Pristine() const { return m_dir.File("pristine.db"); }
    void Restore()
    {
        for (const std::string& name : FolderEntries(m_dir.Path())) {
            if (name != "pristine.db") std::filesystem::remove(m_dir.File(name));
        }
        std::filesystem::copy_file(Pristine(), DbPath());
    }
    std::vector<std::string> DamagedCopies() const
    {
        std::vector<std::string> copies;
        for (const std::string& name : FolderEntries(m_dir.Path())) {
            const bool side = name.find("-wal") != std::string::npos || name.find("-shm") != std::string::npos;
            if (name.rfind("store.db.damaged-", 0) == 0 && !side) copies.push_back(m_dir.File(name));
        }
        return copies;
    }
    // The rows of each table of the original file that can be reached without the damaged
    // pages. A table whose schema row is on an unreachable page is lost whole.
    std::map<std::string, long> Reachable(const Pages& damaged)
    {
        PlainDb db(Pristine());
        const Rows pages = db.Rows("select name, path, pageno, pagetype, ncell from dbstat order by path");
        const auto reached = [&](const std::vector<std::string>& page) {
            for (const auto& above : pages) {
                if (above[0] == page[0] && page[1].rfind(above[1], 0) == 0 && damaged.count(std::stol(above[2]))) {
                    return false;
                }
            }
            return true;
        };
        const Rows schema = db.Rows("select name, type from sqlite_master order by rowid");
        std::map<std::string, long> rows;
        for (const auto& row : schema) {
            if (row[1] == "table") rows[row[0]] = 0;
        }
        std::set<std::string> schemaLost;
        size_t schemaRow = 0;
        for (const auto& page : pages) {
            if (page[3] != "leaf") continue;
            const long cells = std::stol(page[4]);
            if (page[0] == "sqlite_schema" || page[0] == "sqlite_master") {
                for (long c = 0; c < cells; ++c, ++schemaRow) {
                    if (!reached(page)) schemaLost.insert(schema[schemaRow][0]);
                }
            } else if (rows.count(page[0]) && reached(page)) {
                rows[page[0]] += cells;
            }
        }
        for (const std::string& name : schemaLost) {
            if (rows.count(name)) rows[name] = 0;
        }
        return rows;
    }
    void ExpectRecovered(const std::string& damagedBytes, const std::map<std::string, long>& expected)
    {
        ASSERT_EQ(DamagedCopies().size(), 1u);
        EXPECT_TRUE(ReadFile(DamagedCopies()[0]) == damagedBytes);
        PlainDb db(DbPath());
        EXPECT_EQ(db.Value("PRAGMA integrity_check"), "ok");
        db.Exec("attach '" + Pristine() + "' as original");
        for (const auto& [table, count] : expected) {
            SCOPED_TRACE(table);
            // A load writes its placeholder row into an empty Fast_Login_Data.
            if (IsCounterTable(table) || (table == "Fast_Login_Data" && count == 0)) continue;
            EXPECT_EQ(db.Count(table), count);
            EXPECT_EQ(db.Value("select count(*) from (select * from main." + table + " except select * from original." +
                               table + ")"), "0");
        }
        for (const CounterColumn& counter : CSchema::Counters()) {
            EXPECT_EQ(db.Value("select count(*) from " + Narrow(counter.table) + " where " + Narrow(counter.column) +
                               " <> 0"), "0");
        }
        EXPECT_TRUE(m_log.Has(L"CStore::RecoverDamagedFile", L"the database file was damaged; kept as "));
        StoreOn again(DbPath());
        EXPECT_EQ(again.LoadFromDisk(), 1);
        EXPECT_EQ(DamagedCopies().size(), 1u);
    }
};

struct Damage {
    const char* name;
    Pages (*apply)(const std::string& path);
    bool metAtOpen;  // else first met by a load, which ends as before
};

const Damage kDamages[] = {
    {"zeroed page inside a large table",
     [](const std::string& p) {
         return ZeroPage(p, PageOf(p, "name='UserBaseInfo' and pagetype='leaf' order by path limit 1 offset 20"));
     },
     false},
    {"garbled header",
     [](const std::string& p) {
         Overwrite(p, 0, std::string("Not a database!!\x01\x03\x07\x07\x99\x99\x99", 23));
         return Pages();
     },
     true},
    {"truncated file",
     [](const std::string& p) {
         const long size = PageSize(p);
         const long pages = static_cast<long>(std::filesystem::file_size(p)) / size;
         std::filesystem::resize_file(p, static_cast<uintmax_t>(pages * 2 / 3 * size));
         Pages lost;
         for (long page = pages * 2 / 3 + 1; page <= pages; ++page) lost.insert(page);
         return lost;
     },
     true},
    {"damaged page of sqlite_master",
     [](const std::string& p) {
         return ZeroPage(p, PageOf(p, "name in ('sqlite_schema','sqlite_master') and pagetype='leaf' limit 1"));
     },
     true},
    {"not a database at all",
     [](const std::string& p) {
         Pages every;
         for (long page = 1; page <= static_cast<long>(std::filesystem::file_size(p)) / PageSize(p); ++page) {
             every.insert(page);
         }
         std::ofstream(p, std::ios::trunc) << std::string(9000, 'x');
         return every;
     },
     true},
};

}  // namespace

TEST_F(DamagedFileTest, EachDamageIsKeptAsideAndTheReadableRowsRecoveredAtTheNextOpen)
{
    for (const Damage& damage : kDamages) {
        for (bool viaSave : {false, true}) {
            SCOPED_TRACE(std::string(damage.name) + (viaSave ? " through SaveToDisk" : " through LoadFromDisk"));
            Restore();
            const Pages lost = damage.apply(DbPath());
            const std::string damagedBytes = ReadFile(DbPath());
            m_log.Clear();
            StoreOn store(DbPath());
            if (!damage.metAtOpen) {
                EXPECT_EQ(store.LoadFromDisk(), 1);
                EXPECT_TRUE(DamagedCopies().empty());
            }
            EXPECT_EQ(viaSave ? store.SaveToDisk(0, TRUE) : store.LoadFromDisk(), 1);
            store.CloseDBFile();
            ExpectRecovered(damagedBytes, Reachable(lost));
        }
    }
}

// The save that meets the damage fails as before and keeps its change; the next one writes
// it into the recovered file.
TEST_F(DamagedFileTest, ASaveThatMeetsDamageKeepsItsChangeForTheRecoveredFile)
{
    ZeroPage(DbPath(), PageOf(DbPath(), "name='DeptInfo' and pagetype='leaf' order by path desc limit 1"));
    StoreOn store(DbPathW());
    STDeptInfo dept;
    dept.Did = 424242;
    store.SaveDeptInfo(dept);
    store.SetDataConsistentFlag(0x1, true);
    EXPECT_EQ(store.SaveToDisk(0x1, TRUE), 0);
    // The delete finds no row through the index; the insert meets the damaged page.
    EXPECT_TRUE(m_log.Has(L"CDeptInfoDBStore::SaveToDisk", L"insert into deptinfo error"));
    EXPECT_TRUE(DamagedCopies().empty());
    EXPECT_EQ(store.SaveToDisk(0x1, TRUE), 1);
    EXPECT_EQ(DamagedCopies().size(), 1u);
    EXPECT_EQ(PlainDb(DbPath()).Value("select count(*) from DeptInfo where Did = 424242"), "1");
}

// A client that died after a commit left a row in the -wal only: the -wal moves aside with
// the file, and its row reaches the new file.
TEST_F(DamagedFileTest, ALeftoverWalMovesWithTheFileAndItsRowsAreRecovered)
{
    const long lastSchemaLeaf = PageOf(DbPath(), "name in ('sqlite_schema','sqlite_master') and pagetype='leaf' "
                                                 "order by path desc limit 1");
    std::string file;
    std::string wal;
    {
        PlainDb writer(DbPath());
        writer.Exec("PRAGMA wal_autocheckpoint=0");
        writer.Exec("insert into CorpInfo(Cid) values (777777)");  // its schema row is on the first leaf
        file = ReadFile(DbPath());
        wal = ReadFile(DbPath() + "-wal");
    }
    std::ofstream(DbPath(), std::ios::binary | std::ios::trunc) << file;
    std::ofstream(DbPath() + "-wal", std::ios::binary | std::ios::trunc) << wal;
    ZeroPage(DbPath(), lastSchemaLeaf);
    StoreOn store(DbPath());
    EXPECT_EQ(store.LoadFromDisk(), 1);
    ASSERT_FALSE(DamagedCopies().empty());
    EXPECT_TRUE(ReadFile(DamagedCopies()[0] + "-wal") == wal);
    EXPECT_EQ(PlainDb(DbPath()).Value("select count(*) from CorpInfo where Cid = 777777"), "1");
}

// A busy file and a full disk are not damage; a recovery that cannot write leaves the
// damaged copy aside and the path free.
TEST_F(DamagedFileTest, OnlyDamageMovesTheFileAndAFailedRecoveryLeavesThePathFree)
{
    {
        PlainDb other(DbPath());
        other.Exec("BEGIN IMMEDIATE");
        StoreOn busy(DbPath());
        EXPECT_EQ(busy.SaveToDisk(0x200, TRUE), 0);
    }
    {
        FaultVfs vfs;
        vfs.Arm(FaultVfs::Op::Write, 1, FaultVfs::Mode::FromThenOn);
        StoreOn full(DbPath());
        EXPECT_EQ(full.SaveToDisk(0x200, TRUE), 0);
        EXPECT_TRUE(DamagedCopies().empty());
        EXPECT_TRUE(ReadFile(DbPath()) == ReadFile(Pristine()));

        Overwrite(DbPath(), 0, "garbled header!");
        const std::string damagedBytes = ReadFile(DbPath());
        EXPECT_EQ(full.LoadFromDisk(), 0);
        ASSERT_EQ(DamagedCopies().size(), 1u);
        EXPECT_TRUE(ReadFile(DamagedCopies()[0]) == damagedBytes);
        EXPECT_EQ(FolderEntries(m_dir.Path()), (std::vector<std::string>{"pristine.db", "store.db.damaged-" +
                                                DamagedCopies()[0].substr(DbPath().size() + 9)}));
        EXPECT_TRUE(m_log.Has(L"CStore::RecoverDamagedFile", L"the database file was damaged; kept as "));
    }
}

// The tool recovers into a new file and leaves FILE as it was; check says what the next
// open would do.
TEST_F(DamagedFileTest, ToolRecoversIntoANewFileAndCheckSaysWhenTheStoreWould)
{
    Overwrite(DbPath(), 0, "garbled header!");
    const std::string damagedBytes = ReadFile(DbPath());
    const std::string tool = std::string(KIVO_TOOL_PATH) + " ";
    const std::string out = m_dir.File("out.db");
    const CommandRun recovered = RunCommand(tool + "recover " + DbPath() + " " + out + " 2>&1");
    EXPECT_EQ(recovered.exitCode, 0);
    EXPECT_NE(recovered.out.find("UserBaseInfo"), std::string::npos) << recovered.out;
    EXPECT_TRUE(ReadFile(DbPath()) == damagedBytes);
    EXPECT_EQ(PlainDb(out).Count("UserBaseInfo"), PlainDb(Pristine()).Count("UserBaseInfo"));
    EXPECT_EQ(RunCommand(tool + "recover " + DbPath() + " " + out + " 2>&1").exitCode, 1);  // OUT is never replaced

    const CommandRun checked = RunCommand(tool + "check " + DbPath() + " 2>&1");
    EXPECT_EQ(checked.exitCode, 1);
    EXPECT_NE(checked.out.find("at the next open"), std::string::npos) << checked.out;
    EXPECT_TRUE(ReadFile(DbPath()) == damagedBytes);
    EXPECT_TRUE(DamagedCopies().empty());
}

TEST_F(DamagedFileTest, ASchemaTextFromTheDamagedFileRunsOnlyAsOneCreate)
{
    const std::string file = m_dir.File("planted.db");
    {
        PlainDb db(file);
        db.Exec("create table t(a)");
        db.Exec("insert into t values(1),(2)");
        db.Exec("PRAGMA writable_schema=ON");
        db.Exec("update sqlite_master set sql='CREATE TABLE t(a); CREATE TABLE planted(x)' where name='t'");
    }
    const std::string out = m_dir.File("planted-out.db");
    EXPECT_EQ(RunCommand(std::string(KIVO_TOOL_PATH) + " recover " + file + " " + out + " 2>&1").exitCode, 0);
    PlainDb recovered(out);
    EXPECT_EQ(recovered.Count("t"), 2);
    EXPECT_EQ(recovered.Value("select count(*) from sqlite_master where name = 'planted'"), "0");
}
