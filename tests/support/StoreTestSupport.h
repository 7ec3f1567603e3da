// What the store tests share: the mask of every bit, the sample data in every store, group
// and contact records in one line, and fixtures on a file with the schema in place.
#pragma once

#include <functional>
#include <list>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "Contactor.h"
#include "DbSQLite.h"
#include "DemoFamily.h"
#include "Group.h"
#include "Store.h"
#include "TestDb.h"
#include "Utf8.h"

inline unsigned AllBits()
{
    unsigned mask = 0;
    for (const auto& row : CStore::MaskTable()) mask |= row.bit;
    return mask;
}

// A CStore on the file at path.
struct StoreOn : CStore {
    explicit StoreOn(const CString& path) { SetDBPath(path); }
    explicit StoreOn(const std::string& path) : StoreOn(CString(FromUtf8(path))) {}
};

inline std::list<boost::shared_ptr<STDeptInfo>> HeldDepts(IStore& store)
{
    std::list<boost::shared_ptr<STDeptInfo>> depts;
    store.LoadDeptInfo(0, depts);
    return depts;
}

// Loads the file into the store, then puts sample data in every store and flags them all
// consistent. Returns what the load returned.
inline int LoadAndFill(CStore& store, const std::string& path, int scale)
{
    store.SetDBPath(CString(FromUtf8(path)));
    const int loaded = store.LoadFromDisk();
    store.SetDataConsistentFlag(AllBits(), true);
    for (const DemoFamily& family : DemoFamilies()) family.fill(store, scale);
    return loaded;
}

inline boost::shared_ptr<STGroup> Group(LONG gid, const std::wstring& name)
{
    boost::shared_ptr<STGroup> group = STGroup::CreateObject();
    group->Gid = gid;
    group->Name = name;
    return group;
}

inline boost::shared_ptr<STContactor> Contact(LONG cid, LONG uid, LONG gid, LONG flag = 0)
{
    boost::shared_ptr<STContactor> contact = STContactor::CreateObject();
    *contact = STContactor{cid, uid, gid, flag};
    return contact;
}

// The schema in place and the wrapper open on it, for the tests of one table store.
class OpenDbTest : public StoreTest {
protected:
    void SetUp() override
    {
        CreateSchema(DbPath());
        ASSERT_EQ(0, m_db.Open(DbPathW(), nullptr));
    }
    CDbSQLite m_db;
    PlainDb m_plain{DbPath()};
};

// A CStore on the test file, for the tests through the interface.
class CStoreTest : public StoreTest {
protected:
    void SetUp() override { m_store.SetDBPath(DbPathW()); }
    CStore m_store;
};
