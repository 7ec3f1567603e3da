// The outer and inner contact groups (id and name), keyed by group id, in tables
// OuterGroupInfo and InnerGroupInfo. A save rewrites the whole table once the
// consistent flag is set. The twins share this one class and differ only in their texts
// (and in their interface slots, which live in IStore).
#pragma once

#include <list>
#include <map>

#include <boost/shared_ptr.hpp>

#include "DbSQLite.h"
#include "Group.h"

struct TableTexts;

class CContactGroupDBStore {
public:
    int LoadFromDisk();
    int SaveToDisk(int bInTransaction);
    void SetConsistent(bool bConsistent) { m_bConsistent = bConsistent; }

    int GetGroups(std::list<boost::shared_ptr<STGroup>>& lstGroup) const;
    int SetGroups(const std::list<boost::shared_ptr<STGroup>>& lstGroup);
    int UpdateGroup(const boost::shared_ptr<STGroup>& pGroup);
    int RemoveGroup(unsigned int gid);
    // The out pointer then shares the held record.
    int GetGroup(unsigned int gid, boost::shared_ptr<STGroup>& pGroup) const;

protected:
    CContactGroupDBStore(CDbSQLite* pDbSQLite, const TableTexts& texts)
        : m_pDbSQLite(pDbSQLite), m_texts(texts)
    {
    }

private:
    bool m_bConsistent = false;
    std::map<ULONG, boost::shared_ptr<STGroup>> m_mapGroup;
    CDbSQLite* m_pDbSQLite;  // not owned
    const TableTexts& m_texts;
};

class CGroupDBStore : public CContactGroupDBStore {
public:
    explicit CGroupDBStore(CDbSQLite* pDbSQLite);
};

class CInnerGroupDBStore : public CContactGroupDBStore {
public:
    explicit CInnerGroupDBStore(CDbSQLite* pDbSQLite);
};
