// The transaction a table store runs itself when the caller holds none
// (bInTransaction == 0); under the caller's transaction both calls do nothing.
#pragma once

#include "DbSQLite.h"
#include "PlatformTypes.h"

class COwnTransaction {
public:
    COwnTransaction(CDbSQLite* db, int bInTransaction) : m_db(db), m_owned(bInTransaction == 0) {}

    bool Owned() const { return m_owned; }
    void Begin() { if (m_owned) m_db->BeginTransaction(); }
    // 0 when committed, or when the caller owns the transaction.
    LONG Commit() { return m_owned ? m_db->CommitTransaction() : 0; }

private:
    CDbSQLite* m_db;
    bool m_owned;
};
