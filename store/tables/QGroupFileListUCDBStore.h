// One update counter per group chat, the version of its shared-file list, in table
// QGroupFileListUC_PWD. A save rewrites the row of every group held and leaves other
// groups' rows alone; no consistent flag, own transaction unless the caller holds one.
#pragma once

#include <map>

#include "DbSQLite.h"

class CQGroupFileListUCDBStore {
public:
    explicit CQGroupFileListUCDBStore(CDbSQLite* pDbSQLite) : m_pDbSQLite(pDbSQLite) {}

    int LoadFromDisk();
    int SaveToDisk(int bInTransaction);

    // Leaves *pUC as it was when the group is not held.
    void GetQGroupFileListUC(unsigned int qGroupId, int* pUC) const;
    void SaveQGroupFileListUC(unsigned int qGroupId, int uc);

private:
    std::map<ULONG, int> m_mapFileListUC;
    CDbSQLite* m_pDbSQLite;  // not owned
};
