#include "StoreTestSupport.h"

namespace {

using QGroupFileListUCDBStoreTest = CStoreTest;

TEST_F(QGroupFileListUCDBStoreTest, CountersPerGroupSaveAndLoad)
{
    CreateSchema(DbPath());
    PlainDb db(DbPath());
    db.Exec("insert into QGroupFileListUC_PWD values (5, 50), (6, 60)");
    m_store.SaveQGroupFileListUC(6, -1);
    m_store.SaveQGroupFileListUC(0xFFFFFFFF, 7);
    ASSERT_EQ(1, m_store.SaveToDisk(0x4000, FALSE));
    EXPECT_EQ((Rows{{"-1", "7"}, {"5", "50"}, {"6", "-1"}}),
              db.Rows("select * from QGroupFileListUC_PWD order by QGroupId"));

    ASSERT_EQ(1, m_store.LoadFromDisk(0x4000));
    int uc = 123;
    m_store.GetQGroupFileListUC(4, &uc);
    EXPECT_EQ(123, uc);  // not held: untouched
    m_store.GetQGroupFileListUC(5, &uc);
    EXPECT_EQ(50, uc);
    m_store.GetQGroupFileListUC(0xFFFFFFFF, &uc);
    EXPECT_EQ(7, uc);
}

}  // namespace
