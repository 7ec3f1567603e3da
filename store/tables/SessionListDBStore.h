// The client's conversations, keyed by session id, in table SessionList. A save writes
// every held session (delete and insert by id) and never deletes rows of sessions no
// longer held; no consistent flag, own transaction unless the caller holds one.
#pragma once

#include <list>
#include <map>

#include "DbSQLite.h"
#include "SessionInfo.h"

class CSessionListDBStore {
public:
    explicit CSessionListDBStore(CDbSQLite* pDbSQLite) : m_pDbSQLite(pDbSQLite) {}

    int LoadFromDisk();
    int SaveToDisk(int bInTransaction);

    void LoadSessionList(std::list<STSessionInfo>& lstSession) const;
    void SaveSessionList(const std::list<STSessionInfo>& lstSession);

private:
    std::map<LONG, STSessionInfo> m_mapSessionInfo;
    CDbSQLite* m_pDbSQLite;  // not owned
};
