// Rows the client writes at once land even when a masked save has just closed the file.
#include "StoreTestSupport.h"

using ImmediateWriteTest = CStoreTest;

TEST_F(ImmediateWriteTest, EveryImmediateWriteOpensTheFileItNeeds)
{
    ASSERT_EQ(m_store.LoadFromDisk(), 1);
    ASSERT_EQ(m_store.SaveToDisk(0, TRUE), 1);  // leaves the file closed
    struct Case {
        const char* name;
        void (*write)(CStore&);
        const char* query;
        const char* expected;
    };
    const Case cases[] = {
        {"recent contact", [](CStore& s) { s.UpdateRecentContactor(5, 1, 100); },
         "select count(*) from RecentContact where recentId=5", "1"},
        {"recent contact deleted",
         [](CStore& s) { s.UpdateRecentContactor(6, 1, 100); s.SaveToDisk(0, TRUE); s.DeleteRecentContactor(6, 1); },
         "select count(*) from RecentContact where recentId=6", "0"},
        {"contact", [](CStore& s) { STContactInfo c; c.uid = 9; s.AddContact(c, false); },
         "select count(*) from ContactListInfo where uid=9", "1"},
        {"stranger removed",
         [](CStore& s) { STContactInfo c; c.uid = 10; s.AddContact(c, true); s.SaveToDisk(0, TRUE); s.DelContact(10, true); },
         "select count(*) from StrangerContactListInfo where uid=10", "0"},
        {"last live time", [](CStore& s) { unsigned t = 77; s.SetLastLiveTime(&t, true); },
         "select LastLiveTime from Fast_Login_Data", "77"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.write(m_store);
        m_store.SaveToDisk(0, TRUE);
        EXPECT_EQ(PlainDb(DbPath()).Value(c.query), c.expected);
    }
}
