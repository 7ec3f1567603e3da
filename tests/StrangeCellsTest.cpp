// Cells the store never wrote: NULL, text in number columns, rows shorter than the store
// expects. Every load completes, every store answers, nothing crashes.
#include "Schema.h"
#include "StoreTestSupport.h"

namespace {

using StrangeCellsTest = CStoreTest;

void LoadAndSaveEverything(CStore& store)
{
    EXPECT_EQ(store.LoadFromDisk(), 1);
    store.SetDataConsistentFlag(AllBits(), true);
    store.SaveToDisk(AllBits(), TRUE);
    EXPECT_EQ(store.LoadFromDisk(AllBits()), 1);
}

}  // namespace

TEST_F(StrangeCellsTest, NullAndTextInEveryColumnLoad)
{
    CreateSchema(DbPath());
    PlainDb plain(DbPath());
    for (const TableSchema& table : CSchema::Tables()) {
        const std::string name = ToUtf8(table.name);
        std::string nulls = "NULL";
        std::string texts = "'not a number'";
        for (size_t c = 1; c < plain.Rows("PRAGMA table_info(" + name + ")").size(); ++c) {
            nulls += ",NULL";
            texts += ",'x" + std::to_string(c) + "'";
        }
        plain.Exec("insert into " + name + " values (" + nulls + "), (" + texts + ")");
    }
    LoadAndSaveEverything(m_store);
    m_store.CloseDBFile();
    EXPECT_EQ(plain.Value("PRAGMA integrity_check"), "ok");
}

TEST_F(StrangeCellsTest, RowsWithFewerColumnsThanTheStoreReadsLoadWithDefaults)
{
    PlainDb plain(DbPath());
    for (const TableSchema& table : CSchema::Tables()) {
        // Each table cut down to its first column. A second column whose name contains every
        // upgradable name keeps the upgrade from running, as in a file whose upgrade failed.
        const std::string sql = ToUtf8(table.createSql);
        const size_t open = sql.find('(');
        const std::string first = sql.substr(open + 1, sql.find_first_of(" ,", open + 1) - open - 1);
        const std::string name = ToUtf8(table.name);
        plain.Exec("create table " + name + "(" + first +
                   " int, PartialFlagExistFlagPositionExActiveStateCreateSourceTransferUpdateTime int)");
        plain.Exec("insert into " + name + " values (7, 0)");
    }
    LoadAndSaveEverything(m_store);
    const auto depts = HeldDepts(m_store);
    ASSERT_EQ(depts.size(), 1u);
    EXPECT_EQ(std::make_pair(depts.front()->Cid, depts.front()->Name), std::make_pair(ULONG{7}, std::wstring()));
}
