// Group and contact records in one line, and a fixture with the schema in place and the
// wrapper open on it, for the store-level tests of groups, contacts and recents.
#pragma once

#include <string>

#include "Contactor.h"
#include "DbSQLite.h"
#include "Group.h"
#include "TestDb.h"

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

class OpenDbTest : public StoreTest {
protected:
    void SetUp() override
    {
        CreateSchema(DbPath());
        ASSERT_EQ(0, m_db.Open(DbPathW(), nullptr));
    }
    CDbSQLite m_db;
};
