// The corporations of the directory, keyed by Cid, in table CorpInfo, and the one
// corporation update counter in table CorpUC. Both saves rewrite their whole table;
// the CorpInfo save waits for the consistent flag, the counter save does not.
#pragma once

#include <map>
#include <string>

#include "CorpInfo.h"
#include "DbSQLite.h"

class CCorpDBStore {
public:
    explicit CCorpDBStore(CDbSQLite* pDbSQLite) : m_pDbSQLite(pDbSQLite) {}

    int LoadFromDisk();
    int SaveToDisk(int bInTransaction);
    int SaveUCToDisk(int bInTransaction);
    void SetConsistent(bool bConsistent) { m_bConsistent = bConsistent; }

    int GetCorpUC(LONG* pUC);
    int SaveCorpUC(ULONG ulUC);
    int SaveCorpInfo(const STCorpInfo& corpInfo);
    int LoadCorpInfo(const ULONG& ulCorpId, STCorpInfo& corpInfo);
    int RemoveCorpInfo(const ULONG& ulCorpId);
    int LoadCorpConfig(const ULONG& ulCorpId, std::wstring& strConfig);
    int SaveCorpConfig(const ULONG& ulCorpId, const std::wstring& strConfig);

private:
    int LoadCorpInfoRows();

    bool m_bConsistent = false;
    LONG m_lCorpUC = 0;
    std::map<ULONG, STCorpInfo> m_mapCorpInfo;
    CDbSQLite* m_pDbSQLite;  // not owned
};
