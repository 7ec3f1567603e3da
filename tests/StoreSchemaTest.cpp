// The database file through CStore: path, open, table creation and column upgrades.
#include <unistd.h>

#include "Schema.h"
#include "StoreTestSupport.h"

using StoreSchemaTest = CStoreTest;

namespace {

// How SQLite runs the department save's delete: by index, or by a scan of the table.
std::string DeptDeletePlan(PlainDb& plain)
{
    return plain.Rows("explain query plan delete from deptinfo where Did=5").at(0).at(3);
}

}  // namespace

TEST_F(StoreSchemaTest, FirstOpenCreatesEveryTableWithItsCreationText)
{
    ASSERT_TRUE(m_store.OpenDBFile());
    m_store.CloseDBFile();
    PlainDb plain(DbPath());
    for (const TableSchema& table : CSchema::Tables()) {
        const std::string name = ToUtf8(table.name);
        // SQLite keeps the text as given, but for the leading "CREATE TABLE".
        const std::string stored = plain.Value("select sql from sqlite_master where type='table' and name='" + name + "'");
        EXPECT_EQ(stored.substr(12), ToUtf8(table.createSql).substr(12)) << name;
    }
    EXPECT_EQ(plain.Count("sqlite_master where type='table'"), 27);
    EXPECT_EQ(DeptDeletePlan(plain), "SEARCH deptinfo USING INDEX DeptInfo_Did (Did=?)");
}

TEST_F(StoreSchemaTest, LaterOpensSkipTheExaminationUntilThePathChanges)
{
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

TEST_F(StoreSchemaTest, UpgradesOlderTablesAndKeepsTheirRows)
{
    PlainDb plain(DbPath());
    plain.Exec("create table UserBaseInfo (Uid int primary key,Cid int,CorpAccount varchar(100),"
               "Account varchar(100),Name varchar(100),Gender int, PartialFlag int default 0, ExistFlag int default 1)");
    plain.Exec("insert into UserBaseInfo (Uid, Cid, Name) values (7, 1, 'old')");
    plain.Exec("create table DeptInfo(Cid int,Did int,Name varchar(100),PDid int,UC int,FirstChild int,"
               "NextSibling int,Desp varchar(200),Fax varchar(100),HideDeptList varchar(100),Addr varchar(100),"
               "Tel varchar(50),Website varchar(100),FirstChildUser int,primary key(Cid,Did))");
    plain.Exec("create table SessionList(SessionId int,RoomId int,Title varchar(100),Cid int,Uid int,primary key(SessionId))");
    // "UpdateTime" occurs inside "LastUpdateTime": the name test keeps this table as it is.
    plain.Exec("create table ContactUC(ContactUC int,LastUpdateTime varchar(100),primary key(ContactUC))");
    ASSERT_TRUE(m_store.OpenDBFile());
    m_store.CloseDBFile();
    EXPECT_EQ(plain.Rows("select name, type from pragma_table_info('UserBaseInfo') where cid >= 8"),
              (Rows{{"PositionEx", "varchar"}, {"ActiveState", "INT"}}));
    EXPECT_EQ(plain.Value("select ActiveState from UserBaseInfo where Uid=7"), "1");
    EXPECT_EQ(plain.Rows("select name from pragma_table_info('SessionList') where cid >= 5"),
              (Rows{{"CreateSource"}, {"Transfer"}}));
    EXPECT_EQ(plain.Count("pragma_table_info('ContactUC')"), 2);
    EXPECT_EQ(DeptDeletePlan(plain), "SEARCH deptinfo USING INDEX DeptInfo_Did (Did=?)");
}
