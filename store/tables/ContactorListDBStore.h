// The inner and external contact lists (user, corporation, contact group, flag), keyed by
// user id, in InnerContactListInfo and ExternalContactListInfo; a save rewrites the whole
// table once the consistent flag is set. One class, a row of texts per twin; only the
// external twin drops records without user or corporation id when the list is replaced.
#pragma once

#include <list>
#include <map>

#include <boost/shared_ptr.hpp>

#include "Contactor.h"
#include "DbSQLite.h"

struct ContactorListTexts;

class CContactorListDBStore {
public:
    int LoadFromDisk();
    int SaveToDisk(int bInTransaction);
    void SetConsistent(bool bConsistent) { m_bConsistent = bConsistent; }

    int GetContacts(std::list<boost::shared_ptr<STContactor>>& lstContact) const;
    int SetContacts(const std::list<boost::shared_ptr<STContactor>>& lstContact);
    int UpdateContact(const boost::shared_ptr<STContactor>& pContact);
    int RemoveContact(unsigned int uid);
    // The out pointer then shares the held record.
    int GetContact(unsigned int uid, boost::shared_ptr<STContactor>& pContact) const;

protected:
    CContactorListDBStore(CDbSQLite* pDbSQLite, const ContactorListTexts& texts)
        : m_pDbSQLite(pDbSQLite), m_texts(texts)
    {
    }

private:
    bool m_bConsistent = false;
    std::map<ULONG, boost::shared_ptr<STContactor>> m_mapContactor;
    CDbSQLite* m_pDbSQLite;  // not owned
    const ContactorListTexts& m_texts;
};

class CInnerContactListDBStore : public CContactorListDBStore {
public:
    explicit CInnerContactListDBStore(CDbSQLite* pDbSQLite);
};

class CExternalContactListDBStore : public CContactorListDBStore {
public:
    explicit CExternalContactListDBStore(CDbSQLite* pDbSQLite);
};
