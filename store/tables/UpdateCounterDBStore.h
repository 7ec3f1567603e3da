// The seven update-counter stores: one list's version value each, in a one-row table of
// its own, rewritten (delete, insert) by a save in the caller's transaction or its own; no
// consistent flag. One algorithm, a row of texts per class; ContactUC alone keeps the first
// row it loads and stamps the save time beside the counter.
#pragma once

#include "DbSQLite.h"
#include "PlatformTypes.h"

struct UpdateCounterTexts;

class CUpdateCounterDBStore {
public:
    int LoadFromDisk();
    int SaveToDisk(int bInTransaction);

    // 0 for a null pointer, else 1.
    int GetUC(LONG* pUC) const;
    int SetUC(LONG uc);

protected:
    CUpdateCounterDBStore(CDbSQLite* pDbSQLite, const UpdateCounterTexts& texts)
        : m_pDbSQLite(pDbSQLite), m_texts(texts)
    {
    }

private:
    CString InsertStatement() const;

    LONG m_lUpdateCounter = 0;
    CDbSQLite* m_pDbSQLite;  // not owned
    const UpdateCounterTexts& m_texts;
};

class CInnerGroupUCDBStore : public CUpdateCounterDBStore {
public:
    explicit CInnerGroupUCDBStore(CDbSQLite* pDbSQLite);
};

class CInnerContactUCDBStore : public CUpdateCounterDBStore {
public:
    explicit CInnerContactUCDBStore(CDbSQLite* pDbSQLite);
};

class CExternalGroupUCDBStore : public CUpdateCounterDBStore {
public:
    explicit CExternalGroupUCDBStore(CDbSQLite* pDbSQLite);
};

class CExternalContactUCDBStore : public CUpdateCounterDBStore {
public:
    explicit CExternalContactUCDBStore(CDbSQLite* pDbSQLite);
};

class CUserQGroupListUCDBStore : public CUpdateCounterDBStore {
public:
    explicit CUserQGroupListUCDBStore(CDbSQLite* pDbSQLite);
};

class CGetSessionListUCDBStore : public CUpdateCounterDBStore {
public:
    explicit CGetSessionListUCDBStore(CDbSQLite* pDbSQLite);
};

class CContactUCDBStore : public CUpdateCounterDBStore {
public:
    explicit CContactUCDBStore(CDbSQLite* pDbSQLite);
};
