// The recent contacts, at most 50, keyed by recentId, in table RecentContact. Every
// update and delete writes its row at once; a save writes nothing unless the list was
// cleared, and then makes the table hold what memory holds. No consistent flag.
#pragma once

#include <list>
#include <map>

#include "DbSQLite.h"
#include "RecentContactor.h"

class CRecentContactorDBStore {
public:
    explicit CRecentContactorDBStore(CDbSQLite* pDbSQLite) : m_pDbSQLite(pDbSQLite) {}
    virtual ~CRecentContactorDBStore() = default;

    int LoadFromDisk();
    int SaveToDisk(int bInTransaction);
    // Forgets the clear once the caller's transaction that wrote it committed.
    void ForgetPending();

    void GetRecentContactors(std::list<STRecentContactor>& lstRecent) const;
    void UpdateRecentContactor(int recentId, int type, int time);
    void DeleteRecentContactor(int recentId, int type);
    void ClearRecentContactor();

    static constexpr size_t kMaxRecents = 50;

private:
    void EvictOldest();
    bool WriteClear(int bInTransaction);
    void WriteAtOnce(const CString& sql);

    CDbSQLite* m_pDbSQLite;  // not owned
    std::map<ULONG, STRecentContactor> m_mapRecent;
    // Set by a clear, dropped by a load or once the rewritten table is committed: an empty
    // memory alone (before any load, after a failed one) never empties the table.
    bool m_bCleared = false;
};
