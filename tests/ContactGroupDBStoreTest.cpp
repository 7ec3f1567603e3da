// The outer and inner group twins, on the store itself.
#include "ContactGroupDBStore.h"
#include "StoreTestSupport.h"

namespace {

using ContactGroupTest = OpenDbTest;

TEST_F(ContactGroupTest, SetKeepsTheFirstOfAGidAndUpdateRenamesInPlace)
{
    CInnerGroupDBStore store(&m_db);
    EXPECT_EQ(1, store.SetGroups({Group(4, L"first"), nullptr, Group(4, L"second"), Group(-1, L"top")}));
    boost::shared_ptr<STGroup> held;
    ASSERT_EQ(1, store.GetGroup(4, held));
    EXPECT_EQ(L"first", held->Name);

    EXPECT_EQ(1, store.UpdateGroup(Group(4, L"renamed")));
    boost::shared_ptr<STGroup> after;
    ASSERT_EQ(1, store.GetGroup(4, after));
    EXPECT_EQ(held.get(), after.get());
    EXPECT_EQ(L"renamed", after->Name);
    EXPECT_EQ(0, store.UpdateGroup(nullptr));

    EXPECT_EQ(0, store.RemoveGroup(5));
    EXPECT_EQ(1, store.RemoveGroup(4));
    EXPECT_EQ(0, store.GetGroup(4, after));
}

}  // namespace
