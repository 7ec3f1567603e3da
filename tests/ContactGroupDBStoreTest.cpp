// The outer and inner group twins, on the store itself.
#include <string>

#include "ContactGroupDBStore.h"
#include "ContactTestSupport.h"

namespace {

using ContactGroupTest = OpenDbTest;

TEST_F(ContactGroupTest, NamesThatBreakQuotingRoundTripUnchanged)
{
    const std::wstring names[] = {L"O'Brien's", L"x'); drop table OuterGroupInfo; --", L"\u5ba2\u6237 \U0001F600",
                                  L"''", L""};
    std::list<boost::shared_ptr<STGroup>> groups;
    LONG gid = 0;
    for (const std::wstring& name : names) groups.push_back(Group(++gid, name));
    CGroupDBStore store(&m_db);
    store.SetGroups(groups);
    store.SetConsistent(true);
    ASSERT_EQ(1, store.SaveToDisk(FALSE));

    CGroupDBStore reloaded(&m_db);
    ASSERT_EQ(1, reloaded.LoadFromDisk());
    std::list<boost::shared_ptr<STGroup>> back;
    reloaded.GetGroups(back);
    ASSERT_EQ(groups.size(), back.size());
    auto expected = groups.begin();
    for (const auto& group : back) EXPECT_EQ((*expected++)->Name, group->Name);
}

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
