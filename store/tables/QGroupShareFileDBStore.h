// The shared files of every group chat seen, per group by client file id, in table
// QGroupShareFileInfoPwd. A save rewrites the rows of exactly the groups held and leaves
// other groups' rows alone; no consistent flag, own transaction unless the caller holds one.
#pragma once

#include <list>
#include <map>
#include <memory>

#include "DbSQLite.h"
#include "QGroupShareFile.h"

class CQGroupShareFileDBStore {
public:
    explicit CQGroupShareFileDBStore(CDbSQLite* pDbSQLite) : m_pDbSQLite(pDbSQLite) {}

    int LoadFromDisk();
    int SaveToDisk(int bInTransaction);

    // Appends the store's own pointers: valid until this group is replaced, the store
    // reloaded or destroyed.
    void GetQGroupShareFiles(unsigned int qGroupId, std::list<STQGroupShareFile*>& lstFiles) const;
    // Replaces one group's files by copies; lstFiles may hold pointers this store handed out.
    void SetQGroupShareFiles(unsigned int qGroupId, const std::list<STQGroupShareFile*>& lstFiles);

private:
    using FileMap = std::map<ULONG, std::unique_ptr<STQGroupShareFile>>;  // by ClientFileId

    void DropOtherHolders(ULONG qGroupId, const FileMap& given);

    std::map<ULONG, FileMap> m_mapGroupFiles;
    CDbSQLite* m_pDbSQLite;  // not owned
};
