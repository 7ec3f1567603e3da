// The seven update-counter stores, through IStore: one table of cases.
#include "StoreTestSupport.h"

namespace {

struct CounterCase {
    std::string table;
    std::string column;
    unsigned int bit;
    int (IStore::*get)(LONG*);
    int (IStore::*set)(LONG);
    bool firstRowWins;
};

const CounterCase kCounters[] = {
    {"InnerGroupUC", "InnerGroupUC", 0x200, &IStore::GetInnerGroupsUC, &IStore::SaveInnerGroupsUC, false},
    {"InnerContactUC", "InnerContactUC", 0x400, &IStore::GetInnerContactUC, &IStore::SaveInnerContactUC, false},
    {"ExternalGroupUC", "ExternalGroupUC", 0x800, &IStore::GetExternalGroupUC, &IStore::SaveExternalGroupUC, false},
    {"ExternalContactUC", "ExternalContactUC", 0x1000, &IStore::GetExternalContactUC, &IStore::SaveExternalContactUC,
     false},
    {"UserQGroupListUC", "UserQGroupListUC", 0x8000, &IStore::GetUserQGroupListUC, &IStore::SaveUserQGroupListUC,
     false},
    {"UserSessionListUC", "SessionListUC", 0x20000, &IStore::GetSessionListUC, &IStore::SaveSessionListUC, false},
    {"ContactUC", "ContactUC", 0x800000, &IStore::GetContactUC, &IStore::SaveContactUC, true},
};

using UpdateCounterTest = StoreTest;

TEST_F(UpdateCounterTest, EveryCounterSavesOneRowByItsBitAndLoadsBack)
{
    PlainDb plain(DbPath());
    for (const CounterCase& c : kCounters) {
        SCOPED_TRACE(c.table);
        StoreOn store(DbPathW());
        EXPECT_EQ(1, (store.*c.set)(-7));
        EXPECT_EQ(1, store.SaveToDisk(c.bit, TRUE));
        EXPECT_EQ(1, store.SaveToDisk(c.bit, FALSE));
        EXPECT_EQ(Rows{{"-7"}}, plain.Rows("select " + c.column + " from " + c.table));

        store.Reset();
        LONG uc = 0;
        ASSERT_EQ(1, store.LoadFromDisk(c.bit));
        EXPECT_EQ(1, (store.*c.get)(&uc));
        EXPECT_EQ(-7, uc);

        // Rows the store would not write itself: the family keeps the last, ContactUC the first.
        plain.Exec("delete from " + c.table + "; insert into " + c.table + "(" + c.column + ") values (5);" +
                   "insert into " + c.table + "(" + c.column + ") values ('9x')");
        store.LoadFromDisk(c.bit);
        (store.*c.get)(&uc);
        EXPECT_EQ(c.firstRowWins ? 5 : 9, uc);
        EXPECT_EQ(0, (store.*c.get)(nullptr));

        // A failed insert leaves the stored rows, in either transaction mode.
        plain.Refuse("insert on " + c.table);
        (store.*c.set)(8);
        EXPECT_EQ(0, store.SaveToDisk(c.bit, TRUE) + store.SaveToDisk(c.bit, FALSE));
        EXPECT_EQ((Rows{{"5"}, {"9x"}}), plain.Rows("select " + c.column + " from " + c.table));
        plain.Exec("drop trigger refuse");
        store.CloseDBFile();
    }
}

TEST_F(UpdateCounterTest, LoadLocalUcReadsWhatSaveLocalUcSet)
{
    CStore store;
    const LocalUcInfo saved{0, 4000000000u, 2, 3, 4, 5, 0, 0};
    ASSERT_EQ(1, store.SaveLocalUc(&saved));
    ASSERT_EQ(1, store.SaveUserQGroupListUC(6));
    LocalUcInfo loaded;
    ASSERT_EQ(1, store.LoadLocalUc(&loaded));
    EXPECT_EQ(std::make_tuple(4000000000u, 2u, 3u, 4u, 5u, 6u, 0u),
              std::tie(loaded.Corp, loaded.ColleagueGroup, loaded.ColleagueList, loaded.ContactorGroup,
                       loaded.ContactorList, loaded.UserQGroupList, loaded.UserNGroupList));
}

}  // namespace
