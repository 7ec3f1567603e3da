#include "Store.h"
#include "TestDb.h"

namespace {

class QGroupFileListUCDBStoreTest : public StoreTest {};

TEST_F(QGroupFileListUCDBStoreTest, CountersPerGroupSaveAndLoad)
{
    CreateSchema(DbPath());
    PlainDb db(DbPath());
    db.Exec("insert into QGroupFileListUC_PWD values (5, 50)");
    db.Exec("insert into QGroupFileListUC_PWD values (6, 60)");
    CStore store;
    store.SetDBPath(DbPathW());
    store.SaveQGroupFileListUC(6, -1);
    store.SaveQGroupFileListUC(0xFFFFFFFF, 7);
    ASSERT_EQ(1, store.SaveToDisk(0x4000, FALSE));
    EXPECT_EQ((std::vector<std::vector<std::string>>{{"-1", "7"}, {"5", "50"}, {"6", "-1"}}),
              db.Rows("select * from QGroupFileListUC_PWD order by QGroupId"));

    ASSERT_EQ(1, store.LoadFromDisk(0x4000));
    int uc = 123;
    store.GetQGroupFileListUC(4, &uc);
    EXPECT_EQ(123, uc);  // not held: untouched
    store.GetQGroupFileListUC(5, &uc);
    EXPECT_EQ(50, uc);
    store.GetQGroupFileListUC(0xFFFFFFFF, &uc);
    EXPECT_EQ(7, uc);
}

}  // namespace
