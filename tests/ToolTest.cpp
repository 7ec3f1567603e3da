// The kivostore tool as a support engineer and a client developer run it.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "TestDb.h"

namespace {

// stdout and stderr together.
CommandRun Tool(const std::string& args) { return RunCommand(std::string(KIVO_TOOL_PATH) + " " + args + " 2>&1"); }

bool Has(const CommandRun& run, const std::string& piece) { return run.out.find(piece) != std::string::npos; }

// The bytes of the file and of its -wal, and the names in its folder: what "left as it
// was" means. The -shm is the readers' shared index, theirs to write.
std::string State(const std::string& path)
{
    std::string state = ReadFile(path) + "\n" + ReadFile(path + "-wal");
    for (const std::string& name : FolderEntries(std::filesystem::path(path).parent_path())) state += "\n" + name;
    return state;
}

}  // namespace

TEST(Tool, DemoDumpAndCheckOnASampleFileLeaveItAsItWas)
{
    TempDir dir;
    const std::string file = dir.File("demo.db");
    CommandRun demo = Tool("demo " + file + " --users 300");
    EXPECT_EQ(demo.exitCode, 0) << demo.out;
    const std::string before = State(file);

    CommandRun check = Tool("check " + file);
    EXPECT_EQ(check.exitCode, 0) << check.out;
    EXPECT_TRUE(Has(check, "schema changes a load would make: none")) << check.out;
    EXPECT_TRUE(Has(check, "permissions: 0600\n")) << check.out;
    // The sample adds 60 recents; the table keeps them all, a load only the 50 latest.
    EXPECT_TRUE(Has(check, "10 rows beyond the 50 latest by time")) << check.out;

    EXPECT_TRUE(Has(Tool("dump " + file), "\n  UserBaseInfoEx             300"));  // the table of counts

    TempDir out;  // beside the file, it would change its folder
    const std::string json = out.File("dump.json");
    ASSERT_EQ(RunCommand(std::string(KIVO_TOOL_PATH) + " dump " + file + " --json >" + json + " 2>/dev/null").exitCode, 0);
    CommandRun parsed = RunCommand("python3 -c '\n"
                           "import collections, json, sys\n"
                           "lines = [json.loads(line) for line in open(sys.argv[1])]\n"
                           "counts = lines[-1][\"counts\"]\n"
                           "seen = collections.Counter(o[\"store\"] for o in lines[:-1])\n"
                           "assert seen == {k: v for k, v in counts.items() if v}, (seen, counts)\n"
                           "assert any(\"Ren\\u00e9\\u0027s \\U0001F4AC\" in o.get(\"Title\", \"\") for o in lines)\n"
                           "print(len(counts), counts[\"UserBaseInfo\"], counts[\"UserBaseInfoEx\"])\n"
                           "' " + json + " 2>&1");
    EXPECT_EQ(parsed.exitCode, 0) << parsed.out;
    EXPECT_EQ(parsed.out, "27 300 300\n");  // every store of the mask table; --users reaches both tables
    EXPECT_EQ(State(file), before);

    ASSERT_EQ(chmod(file.c_str(), 0640), 0);
    EXPECT_TRUE(Has(Tool("check " + file), "permissions: 0640: group or others can read it"));
}

// A file of an older client (UserBaseInfo without its last two columns), open in a running
// client that holds a row in its -wal.
TEST(Tool, CheckReadsAnOldFileInUseAndChangesItOnlyWhenAsked)
{
    TempDir dir;
    const std::string file = dir.File("old.db");
    CreateSchema(file);
    {
        PlainDb client(file);
        client.Exec("drop table UserBaseInfo");
        client.Exec("create table UserBaseInfo (Uid int primary key,Cid int,CorpAccount varchar(100),Account varchar(100),"
                    "Name varchar(100),Gender int, PartialFlag int default 0, ExistFlag int default 1)");
        client.Exec("insert into UserBaseInfo values (7, 1000, 'kivo', 'ana', 'Ana', 1, 0, 1)");
        client.Exec("drop index DeptInfo_Did");
        client.Exec("PRAGMA journal_mode=WAL");
        client.Exec("insert into SessionList (SessionId, Title) values (5, 'open chat')");
        ASSERT_TRUE(std::filesystem::exists(file + "-wal"));
        const std::string before = State(file);

        CommandRun check = Tool("check " + file);
        EXPECT_EQ(check.exitCode, 0) << check.out;
        EXPECT_TRUE(Has(check, "add column UserBaseInfo.ActiveState int default 1\n")) << check.out;
        EXPECT_TRUE(Has(check, "create index DeptInfo_Did on DeptInfo\n")) << check.out;
        EXPECT_TRUE(Has(check, "SessionList                1 rows")) << check.out;

        // The dump reads the old table and the row still in the client's -wal.
        CommandRun dump = Tool("dump " + file + " --json");
        EXPECT_EQ(dump.exitCode, 0) << dump.out;
        EXPECT_TRUE(Has(dump, "\"Name\":\"Ana\"") && Has(dump, "\"Title\":\"open chat\"")) << dump.out;
        EXPECT_EQ(State(file), before);
    }
    const std::string log = dir.File("kivo.log");
    const mode_t umaskBefore = umask(022);
    CommandRun upgrade = Tool("check " + file + " --log " + log + " --upgrade");  // --log anywhere on the line
    umask(umaskBefore);
    EXPECT_EQ(upgrade.exitCode, 0) << upgrade.out;
    EXPECT_TRUE(Has(upgrade, "upgraded: 3 schema changes made")) << upgrade.out;
    EXPECT_NE(ReadFile(log).find("CStore::OpenDBFile db_file = "), std::string::npos);
    EXPECT_EQ(ModeOf(log), 0600u);
    EXPECT_EQ(PlainDb(file).Value("select ActiveState from UserBaseInfo where Uid=7"), "1");
}

// A file it cannot use is answered with exit 1 and left as it was; a missing one is not created.
TEST(Tool, RefusesWhatItCannotUse)
{
    TempDir dir;
    const std::string notes = dir.File("notes.txt");
    std::ofstream(notes) << std::string(2048, 'n');
    CommandRun check = Tool("check " + notes);
    EXPECT_EQ(check.exitCode, 1);
    EXPECT_TRUE(Has(check, "notes.txt: not a database file")) << check.out;
    EXPECT_EQ(Tool("demo " + notes).exitCode, 1);  // demo writes new files only
    EXPECT_EQ(Tool("dump " + dir.File("missing.db")).exitCode, 1);
    EXPECT_EQ(ReadFile(notes), std::string(2048, 'n'));

    // Refused before any open: a FIFO would keep the tool waiting for a writer forever.
    ASSERT_EQ(mkfifo(dir.File("pipe.db").c_str(), 0600), 0);
    ASSERT_EQ(symlink("/dev/null", dir.File("null.db").c_str()), 0);
    for (const char* special : {"pipe.db", "null.db"}) {
        for (const char* command : {"check ", "dump ", "check --upgrade "}) {
            const CommandRun run = RunCommand("timeout 20 " + std::string(KIVO_TOOL_PATH) + " " + command +
                                              dir.File(special) + " 2>&1");
            EXPECT_EQ(run.exitCode, 1) << command << special;
            EXPECT_TRUE(Has(run, "not a regular file")) << run.out;
        }
    }
    EXPECT_EQ(FolderEntries(dir.Path()), (std::vector<std::string>{"notes.txt", "null.db", "pipe.db"}));
}

// One store loaded and shown, a few records of it, columns aligned by the width a terminal
// gives CJK text; progress and notes go to stderr only.
TEST(Tool, DumpShowsOneStoreUpToALimitAlignedByDisplayWidth)
{
    TempDir dir;
    const std::string file = dir.File("demo.db");
    ASSERT_EQ(Tool("demo " + file + " --users 300").exitCode, 0);
    const std::string out = dir.File("dump.txt");
    ASSERT_EQ(RunCommand(std::string(KIVO_TOOL_PATH) + " dump " + file + " --store DeptInfo --limit 8 >" + out).exitCode, 0);
    CommandRun layout = RunCommand("python3 -c '\n"
                                   "import sys, unicodedata\n"
                                   "w = lambda t: sum(2 if unicodedata.east_asian_width(c) in \"WF\" else 1 for c in t)\n"
                                   "lines = open(sys.argv[1], encoding=\"utf-8\").read().split(\"\\n\")\n"
                                   "assert lines[0] == \"DeptInfo\" and lines[10] == \"  ... 8 more\", lines\n"
                                   "assert any(\"\\u7814\\u53d1\" in l for l in lines[2:10]), lines\n"
                                   "col = w(lines[1][:lines[1].index(\"PDid\")])  # where the column after Name starts\n"
                                   "at = [[k for k in range(len(l)) if w(l[:k]) == col] for l in lines[2:10]]\n"
                                   "assert all(k and l[k[0]].isdigit() and l[k[0] - 1] == \" \" for l, k in zip(lines[2:10], at)), lines\n"
                                   "print(lines[-2])\n"
                                   "' " + out + " 2>&1");
    EXPECT_EQ(layout.exitCode, 0) << layout.out;
    EXPECT_EQ(layout.out, "  DeptInfo                   16\n");  // the only store, counted whole
}

// check --json lists every problem integrity_check finds (more than its default hundred);
// --upgrade says that it switched a rollback-journal file to WAL.
TEST(Tool, CheckListsEveryProblemAndSaysWhenItSwitchesTheJournal)
{
    TempDir dir;
    const std::string file = dir.File("broken.db");
    {
        PlainDb db(file);
        db.Exec("create table t1(a); create index i1 on t1(a); create table t2(b); create index i2 on t2(b)");
        db.Exec("with recursive n(k) as (select 1 union all select k + 1 from n where k < 60) "
                "insert into t1 select k from n");
        db.Exec("insert into t2 select a + 1000 from t1");
        const std::string root1 = db.Value("select rootpage from sqlite_master where name='i1'");
        const std::string root2 = db.Value("select rootpage from sqlite_master where name='i2'");
        db.Exec("PRAGMA writable_schema=ON");
        db.Exec("update sqlite_master set rootpage=" + root2 + " where name='i1'");
        db.Exec("update sqlite_master set rootpage=" + root1 + " where name='i2'");
    }
    CommandRun check = RunCommand(std::string(KIVO_TOOL_PATH) + " check " + file +
                                  " --json | python3 -c 'import json, sys; print(len(json.load(sys.stdin)[\"integrity\"][\"problems\"]))'");
    EXPECT_EQ(check.out, "120\n");  // each index misses its table's 60 rows

    const std::string old = dir.File("old.db");
    PlainDb(old).Exec("create table CorpUC (CorpUC int)");
    CommandRun upgrade = Tool("check " + old + " --upgrade");
    EXPECT_EQ(upgrade.exitCode, 0) << upgrade.out;
    EXPECT_TRUE(Has(upgrade, "\njournal mode: rollback -> wal (the store's open switched it)\n")) << upgrade.out;
}
