// The fast-login data, the last live time and the last session id, in the one row
// (Uid 1) of table Fast_Login_Data. A save rewrites the row and needs the consistent
// flag; the setters can also update the row at once in a transaction of their own.
// The session id is a server session token: it is escaped and never logged.
#pragma once

#include <string>

#include "DbSQLite.h"

class CFastLoginDataDBStore {
public:
    explicit CFastLoginDataDBStore(CDbSQLite* pDbSQLite) : m_pDbSQLite(pDbSQLite) {}

    int LoadFromDisk();
    int SaveToDisk(int bInTransaction);
    void SetConsistent(bool bConsistent) { m_bConsistent = bConsistent; }
    // Runs one statement in a transaction of its own, whatever the caller holds.
    int ExecuteTransaction(const CString& sql);

    int GetLastLiveTime(unsigned int* pTime) const;
    int SetLastLiveTime(const unsigned int* pTime, bool bSaveNow);
    int GetFastLoginSessionId(std::wstring& strId) const;
    int SetFastLoginSessionId(const std::wstring& strId, bool bSaveNow);

private:
    int InsertPlaceholder();
    int UpdateNow(const CString& sql);

    bool m_bConsistent = false;
    ULONG m_ulLastLiveTime = 0;
    std::wstring m_strSessionId;
    CDbSQLite* m_pDbSQLite;  // not owned
};
