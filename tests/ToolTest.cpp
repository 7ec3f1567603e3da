// The kivostore tool as a support engineer and a client developer run it.
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
    EXPECT_TRUE(Has(demo, "fill (300 users)")) << demo.out;
    const std::string before = State(file);

    CommandRun check = Tool("check " + file);
    EXPECT_EQ(check.exitCode, 0) << check.out;
    EXPECT_TRUE(Has(check, "schema changes a load would make: none")) << check.out;
    // The sample adds 60 recents; the table keeps them all, a load only the 50 latest.
    EXPECT_TRUE(Has(check, "10 rows beyond the 50 latest by time")) << check.out;
    EXPECT_TRUE(Has(check, "integrity_check: ok")) << check.out;

    CommandRun dump = Tool("dump " + file);
    EXPECT_EQ(dump.exitCode, 0);
    EXPECT_TRUE(Has(dump, "\nDeptInfo\n  Cid   Did  Name")) << dump.out.substr(0, 2000);
    EXPECT_TRUE(Has(dump, "\n  UserBaseInfoEx             300")) << dump.out.substr(dump.out.size() - 2000);

    TempDir out;  // beside the file, it would change its folder
    const std::string json = out.File("dump.json");
    ASSERT_EQ(RunCommand(std::string(KIVO_TOOL_PATH) + " dump " + file + " --json >" + json + " 2>/dev/null").exitCode, 0);
    CommandRun parsed = RunCommand("python3 -c '\n"
                           "import collections, json, sys\n"
                           "lines = [json.loads(line) for line in open(sys.argv[1])]\n"
                           "assert all(isinstance(o, dict) for o in lines)\n"
                           "counts = lines[-1][\"counts\"]\n"
                           "seen = collections.Counter(o[\"store\"] for o in lines[:-1])\n"
                           "assert seen == {k: v for k, v in counts.items() if v}, (seen, counts)\n"
                           "assert any(\"Ren\\u00e9\\u0027s \\U0001F4AC\" in o.get(\"Title\", \"\") for o in lines)\n"
                           "print(len(counts), counts[\"UserBaseInfo\"], counts[\"UserBaseInfoEx\"])\n"
                           "' " + json + " 2>&1");
    EXPECT_EQ(parsed.exitCode, 0) << parsed.out;
    EXPECT_EQ(parsed.out, "27 300 300\n");  // every store of the mask table; --users reaches both tables
    EXPECT_EQ(State(file), before);
}

// A file of an older client (UserBaseInfo without its last two columns) with rows a load
// would skip, open in a running client that holds a row in its -wal.
TEST(Tool, CheckReadsAnOldFileInUseAndChangesItOnlyWhenAsked)
{
    TempDir dir;
    TempDir out;
    const std::string file = dir.File("old.db");
    const std::string log = out.File("kivo.log");
    CreateSchema(file);
    const char* const skipped[][2] = {
        {"insert into CorpInfo (Cid, Name) values (1000, 'a'), (1000, 'b')", "Cid 1000 in 2 rows, a load keeps the first"},
        {"insert into DeptInfo (Cid, Did, Name) values (1000, 7, 'a'), (2000, 7, 'b')",
         "Did 7 in 2 rows (Cid 1000, 2000), a load keeps the last"},
        {"insert into ContactListInfo values (12, '{\"ContactorBaseInfo\":{}}')", "uid 12: its contact text cannot be read"},
        {"insert into UserQGroupListUC values (1), (2)", "2 rows, a load reads only the last"},
    };
    std::string before;
    {
        PlainDb client(file);
        client.Exec("drop table UserBaseInfo");
        client.Exec("create table UserBaseInfo (Uid int primary key,Cid int,CorpAccount varchar(100),Account varchar(100),"
                    "Name varchar(100),Gender int, PartialFlag int default 0, ExistFlag int default 1)");
        client.Exec("insert into UserBaseInfo values (7, 1000, 'kivo', 'ana', 'Ana', 1, 0, 1)");
        for (const auto& row : skipped) client.Exec(row[0]);
        client.Exec("PRAGMA journal_mode=WAL");
        client.Exec("insert into SessionList (SessionId, Title) values (5, 'open chat')");
        ASSERT_TRUE(std::filesystem::exists(file + "-wal"));
        before = State(file);

        CommandRun check = Tool("check " + file);
        EXPECT_EQ(check.exitCode, 0) << check.out;
        EXPECT_TRUE(Has(check, "schema changes a load would make: 2")) << check.out;
        EXPECT_TRUE(Has(check, "add column UserBaseInfo.PositionEx varchar\n")) << check.out;
        EXPECT_TRUE(Has(check, "add column UserBaseInfo.ActiveState int default 1\n")) << check.out;
        EXPECT_TRUE(Has(check, "SessionList                1 rows")) << check.out;
        EXPECT_TRUE(Has(check, "rows a load would skip: 4\n")) << check.out;
        for (const auto& row : skipped) EXPECT_TRUE(Has(check, row[1])) << row[1] << "\n" << check.out;

        // --log anywhere on the line.
        const char* const dumps[][2] = {{"UserBaseInfo", "older schema"}, {"UserBaseInfo", "\"Name\":\"Ana\""},
                                        {"SessionList", "\"SessionId\":5,\"RoomId\":0,\"Title\":\"open chat\""}};
        for (const auto& d : dumps) {
            CommandRun dump = Tool("dump --log " + log + " " + file + " --store " + d[0] + " --json");
            EXPECT_EQ(dump.exitCode, 0) << dump.out;
            EXPECT_TRUE(Has(dump, d[1])) << d[1] << "\n" << dump.out;
        }
        EXPECT_EQ(State(file), before);
    }
    EXPECT_NE(ReadFile(log).find("CStore::OpenDBFile db_file = "), std::string::npos);

    CommandRun upgrade = Tool("check " + file + " --upgrade");
    EXPECT_EQ(upgrade.exitCode, 0) << upgrade.out;
    EXPECT_TRUE(Has(upgrade, "upgraded: 2 schema changes made")) << upgrade.out;
    EXPECT_TRUE(Has(upgrade, "schema changes a load would make: none")) << upgrade.out;
    EXPECT_EQ(PlainDb(file).Value("select ActiveState from UserBaseInfo where Uid=7"), "1");
}

TEST(Tool, RefusesWhatItCannotUseWithAClearMessage)
{
    TempDir dir;
    const std::string notes = dir.File("notes.txt");
    std::ofstream(notes) << std::string(2048, 'n');
    const std::string missing = dir.File("missing.db");
    struct Case {
        std::string args;
        int exitCode;
        const char* message;
    };
    const Case cases[] = {
        {"check " + notes, 1, "notes.txt: not a database file"},
        {"dump " + missing, 1, "missing.db: no such file"},
        {"check " + dir.Path(), 1, "is a folder"},
        {"dump " + notes + " --store Nope", 2, "unknown store 'Nope'; the stores are:\n  CorpInfo\n"},
        {"demo " + notes, 1, "exists; demo writes a new file only"},
        {"demo " + missing + " --users 0", 2, "--users takes a whole number"},
        {"check " + notes + " --frob", 2, "unknown option '--frob'"},
        {"frobnicate " + notes, 2, "unknown command 'frobnicate'"},
        {"check", 2, "FILE is missing"},
        {"--help", 0, "usage: kivostore [--log LOGFILE] <command>"},
        {"dump --help", 0, "usage: kivostore dump FILE [--store NAME] [--json]"},
    };
    for (const Case& c : cases) {
        CommandRun run = Tool(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.args << "\n" << run.out;
        EXPECT_TRUE(Has(run, c.message)) << c.args << "\n" << run.out;
    }
    EXPECT_FALSE(std::filesystem::exists(missing));
    EXPECT_EQ(ReadFile(notes), std::string(2048, 'n'));
}
