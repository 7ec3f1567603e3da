// Cells the store never wrote: NULL, text in number columns, rows shorter than the store
// expects. Every load completes, every store answers, nothing crashes.
#include "Schema.h"
#include "StoreTestSupport.h"

namespace {

std::string Name(const TableSchema& table) { return ToUtf8(table.name); }

// The first column's name, for tables cut down to it.
std::string FirstColumn(const TableSchema& table)
{
    const std::string sql = ToUtf8(table.createSql);
    size_t open = sql.find('(');
    size_t end = sql.find_first_of(" ,", open + 1);
    return sql.substr(open + 1, end - open - 1);
}

class StrangeCellsTest : public CStoreTest {
protected:
    void LoadAndSaveEverything()
    {
        EXPECT_EQ(m_store.LoadFromDisk(), 1);
        m_store.SetDataConsistentFlag(AllBits(), true);
        m_store.SaveToDisk(AllBits(), TRUE);
        EXPECT_EQ(m_store.LoadFromDisk(AllBits()), 1);
    }
};

}  // namespace

TEST_F(StrangeCellsTest, NullAndTextInEveryColumnLoad)
{
    CreateSchema(DbPath());
    {
        PlainDb plain(DbPath());
        for (const TableSchema& table : CSchema::Tables()) {
            const std::string name = Name(table);
            const size_t columns = plain.Rows("PRAGMA table_info(" + name + ")").size();
            std::string nulls;
            std::string texts;
            for (size_t c = 0; c < columns; ++c) {
                nulls += c ? ",NULL" : "NULL";
                texts += c ? ",'x" + std::to_string(c) + "'" : "'not a number'";
            }
            plain.Exec("insert into " + name + " values (" + nulls + ")");
            plain.Exec("insert into " + name + " values (" + texts + ")");
        }
    }
    LoadAndSaveEverything();
    m_store.CloseDBFile();
    EXPECT_EQ(PlainDb(DbPath()).Value("PRAGMA integrity_check"), "ok");
}

TEST_F(StrangeCellsTest, RowsWithFewerColumnsThanTheStoreReadsLoadWithDefaults)
{
    {
        PlainDb plain(DbPath());
        for (const TableSchema& table : CSchema::Tables()) {
            // A column name that contains every upgradable name keeps the upgrade from running,
            // as in a file whose upgrade failed.
            plain.Exec("create table " + Name(table) + "(" + FirstColumn(table) +
                       " int, PartialFlagExistFlagPositionExActiveStateCreateSourceTransferUpdateTime int)");
            plain.Exec("insert into " + Name(table) + " values (7, 0)");
        }
    }
    LoadAndSaveEverything();
    const auto depts = HeldDepts(m_store);
    ASSERT_EQ(depts.size(), 1u);
    EXPECT_EQ(depts.front()->Cid, 7u);
    EXPECT_EQ(depts.front()->Name, L"");
}
