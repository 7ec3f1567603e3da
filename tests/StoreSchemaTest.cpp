// The database file through CStore: path, open, table creation and column upgrades.
#include <unistd.h>

#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "Schema.h"
#include "Store.h"
#include "TestDb.h"
#include "Utf8.h"

namespace {

std::string ToUtf8Name(const wchar_t* text) { return ToUtf8(std::wstring(text)); }

class StoreSchemaTest : public StoreTest {
protected:
    CStore m_store;
};

}  // namespace

TEST_F(StoreSchemaTest, FirstOpenCreatesEveryTableWithItsCreationText)
{
    m_store.SetDBPath(DbPathW());
    ASSERT_TRUE(m_store.OpenDBFile());
    m_store.CloseDBFile();
    PlainDb plain(DbPath());
    for (const TableSchema& table : CSchema::Tables()) {
        const std::string name = ToUtf8Name(table.name);
        // SQLite keeps the text as given, but for the leading "CREATE TABLE".
        const std::string stored = plain.Value("select sql from sqlite_master where type='table' and name='" + name + "'");
        EXPECT_EQ(stored.substr(12), ToUtf8Name(table.createSql).substr(12))
            << name;
    }
    EXPECT_TRUE(m_log.HasText(L"CStore::CreateTable end"));
    EXPECT_EQ(plain.Count("sqlite_master where type='table'"), 27);
}

TEST_F(StoreSchemaTest, LaterOpensSkipTheExaminationUntilThePathChanges)
{
    m_store.SetDBPath(DbPathW());
    ASSERT_TRUE(m_store.OpenDBFile());
    m_store.CloseDBFile();
    m_log.Clear();
    // The same path in another letter case keeps the schema state while that file exists.
    const std::string upper = m_dir.File("STORE.DB");
    ASSERT_EQ(symlink(DbPath().c_str(), upper.c_str()), 0);
    m_store.SetDBPath(CString(FromUtf8(upper)));
    EXPECT_FALSE(m_log.HasText(L"CStore::SetDBPath m_bTableCreated = FALSE"));
    ASSERT_TRUE(m_store.OpenDBFile());
    EXPECT_FALSE(m_log.HasText(L"CStore::CreateTable DeptInfo"));
    EXPECT_TRUE(m_log.HasText(L"CStore::CreateTable CorpInfo"));  // the cheap check logs this

    m_store.SetDBPath(CString(FromUtf8(m_dir.File("other.db"))));
    EXPECT_TRUE(m_log.HasText(L"CStore::SetDBPath m_bTableCreated = FALSE"));
    m_log.Clear();
    ASSERT_TRUE(m_store.OpenDBFile());
    EXPECT_TRUE(m_log.HasText(L"CStore::CreateTable DeptInfo"));
}

TEST_F(StoreSchemaTest, UpgradesAnOlderUserTableAndKeepsItsRows)
{
    {
        PlainDb plain(DbPath());
        plain.Exec("create table UserBaseInfo (Uid int primary key,Cid int,CorpAccount varchar(100),"
                   "Account varchar(100),Name varchar(100),Gender int, PartialFlag int default 0, ExistFlag int default 1)");
        plain.Exec("insert into UserBaseInfo (Uid, Cid, Name) values (7, 1, 'old')");
        plain.Exec("create table SessionList(SessionId int,RoomId int,Title varchar(100),Cid int,Uid int,primary key(SessionId))");
    }
    m_store.SetDBPath(DbPathW());
    ASSERT_TRUE(m_store.OpenDBFile());
    m_store.CloseDBFile();
    PlainDb plain(DbPath());
    auto columns = plain.Rows("PRAGMA table_info(UserBaseInfo)");
    ASSERT_EQ(columns.size(), 10u);
    EXPECT_EQ(columns[8][1], "PositionEx");
    EXPECT_EQ(columns[8][2], "varchar");
    EXPECT_EQ(columns[9][1], "ActiveState");
    EXPECT_EQ(plain.Value("select ActiveState from UserBaseInfo where Uid=7"), "1");
    auto session = plain.Rows("PRAGMA table_info(SessionList)");
    ASSERT_EQ(session.size(), 7u);
    EXPECT_EQ(session[5][1], "CreateSource");
    EXPECT_EQ(session[6][1], "Transfer");
}

TEST_F(StoreSchemaTest, AColumnNameInsideAnotherNameCountsAsPresent)
{
    {
        PlainDb plain(DbPath());
        // "UpdateTime" occurs inside "LastUpdateTime": the substring test keeps the table as it is.
        plain.Exec("create table ContactUC(ContactUC int,LastUpdateTime varchar(100),primary key(ContactUC))");
    }
    m_store.SetDBPath(DbPathW());
    ASSERT_TRUE(m_store.OpenDBFile());
    m_store.CloseDBFile();
    EXPECT_EQ(PlainDb(DbPath()).Rows("PRAGMA table_info(ContactUC)").size(), 2u);
}

TEST_F(StoreSchemaTest, AFileThatIsNotADatabaseIsNeitherOpenedNorTouched)
{
    const std::string junk = m_dir.File("junk.db");
    { std::ofstream(junk) << std::string(8192, 'j'); }
    m_store.SetDBPath(CString(FromUtf8(junk)));
    EXPECT_FALSE(m_store.OpenDBFile());
    EXPECT_EQ(m_store.LoadFromDisk(), 0);
    EXPECT_EQ(m_store.SaveToDisk(0x1, TRUE), 0);
    EXPECT_TRUE(m_log.AnyContains(L"CStore::SaveToDisk OpenDBFile failed"));
    std::ifstream in(junk);
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(content, std::string(8192, 'j'));
}
