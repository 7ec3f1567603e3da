// The whole interface: one instance, and Reset empties every store and keeps the path.
#include "StoreTestSupport.h"

namespace {

// How much each store holds, read through the interface only.
std::map<std::string, size_t> Held(IStore& store)
{
    std::map<std::string, size_t> held;
    std::list<boost::shared_ptr<STDeptInfo>> depts;
    store.LoadDeptInfo(0, depts);
    held["departments"] = depts.size();
    std::list<boost::shared_ptr<STGroup>> groups;
    store.GetGroups(groups);
    store.GetInnerGroups(groups);
    held["groups"] = groups.size();
    std::list<boost::shared_ptr<STContactor>> contactors;
    store.GetInnerContacts(contactors);
    store.GetExternalContacts(contactors);
    held["contactors"] = contactors.size();
    std::list<STUserBaseInfo> users;
    store.GetAllUserBaseInfoEx(users);
    held["users"] = users.size();
    std::list<STUserId> ids;
    store.GetExistUserIdList(ids);
    held["user ids"] = ids.size();
    std::list<STSessionInfo> sessions;
    store.LoadSessionList(sessions);
    held["sessions"] = sessions.size();
    std::list<STRecentContactor> recents;
    store.GetRecentContactors(recents);
    held["recents"] = recents.size();
    std::list<int> chats;
    store.GetUserQGroupList(chats);
    held["group chats"] = chats.size();
    size_t files = 0;
    for (int chat : chats) {
        std::list<STQGroupShareFile*> list;
        store.GetQGroupShareFiles(static_cast<unsigned>(chat), list);
        files += list.size();
    }
    held["shared files"] = files;
    std::list<STSessionDisplayId*> displayIds;
    store.GetUpdateSessionList(displayIds);
    held["display ids"] = displayIds.size();
    held["contacts"] = static_cast<size_t>(store.GetContactCount(false) + store.GetContactCount(true));
    LocalUcInfo counters;
    store.LoadLocalUc(&counters);
    held["counters"] = counters.Corp + counters.ColleagueGroup + counters.ColleagueList + counters.ContactorGroup +
                       counters.ContactorList + counters.UserQGroupList + counters.UserNGroupList;
    unsigned int liveTime = 0;
    store.GetLastLiveTime(&liveTime);
    held["live time"] = liveTime;
    return held;
}

}  // namespace

TEST(Interface, GetInstanceGivesOneAddress)
{
    EXPECT_EQ(IStore::GetInstance(), IStore::GetInstance());
}

TEST_F(StoreTest, ResetEmptiesEveryStoreAndKeepsThePath)
{
    CStore concrete;
    IStore& store = concrete;
    ASSERT_EQ(LoadAndFill(concrete, DbPath(), 500), 1);
    ASSERT_EQ(store.SaveToDisk(AllBits(), TRUE), 1);
    const auto filled = Held(store);
    for (const auto& [name, count] : filled) EXPECT_GT(count, 0u) << name;

    EXPECT_EQ(store.Reset(), 1);
    for (const auto& [name, count] : Held(store)) EXPECT_EQ(count, 0u) << name;
    EXPECT_EQ(store.SaveToDisk(0x1, FALSE), 0);  // the consistent flags start false again

    ASSERT_EQ(store.LoadFromDisk(), 1);  // the same file, by the kept path
    EXPECT_EQ(Held(store), filled);
}
