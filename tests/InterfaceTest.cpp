// The whole interface: one instance, and Reset empties every store and keeps the path.
#include "StoreTestSupport.h"

namespace {

// What every store holds, as the sample families report it through IStore alone.
std::string Held(IStore& store)
{
    testing::internal::CaptureStdout();
    for (const DemoFamily& family : DemoFamilies()) family.report(store);
    return testing::internal::GetCapturedStdout();
}

}  // namespace

TEST(Interface, GetInstanceGivesOneAddress)
{
    EXPECT_EQ(IStore::GetInstance(), IStore::GetInstance());
}

TEST_F(StoreTest, ResetEmptiesEveryStoreAndKeepsThePath)
{
    StoreOn untouched(m_dir.File("untouched.db"));  // on a file of its own: the report opens the file
    const std::string empty = Held(untouched);
    CStore concrete;
    IStore& store = concrete;
    ASSERT_EQ(LoadAndFill(concrete, DbPath(), 500), 1);
    ASSERT_EQ(store.SaveToDisk(AllBits(), TRUE), 1);
    const std::string filled = Held(store);
    EXPECT_NE(filled, empty);

    EXPECT_EQ(store.Reset(), 1);
    EXPECT_EQ(Held(store), empty);
    EXPECT_EQ(store.SaveToDisk(0x1, FALSE), 0);  // the consistent flags start false again

    ASSERT_EQ(store.LoadFromDisk(), 1);  // the same file, by the kept path
    EXPECT_EQ(Held(store), filled);
}
