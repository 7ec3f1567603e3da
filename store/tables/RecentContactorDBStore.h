// The recent contacts, at most 50, keyed by recentId, in table RecentContact. Every
// update and delete writes its row at once, and a row that could not be written stays
// pending until a later write or save gets it in; a save writes nothing unless the list
// was cleared, and then makes the table hold what memory holds. No consistent flag.
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
    // Writes the pending rows: 1 once none is left.
    int WritePendingRows();
    void DropPendingRows() { m_mapPendingRow.clear(); }

    void GetRecentContactors(std::list<STRecentContactor>& lstRecent) const;
    void UpdateRecentContactor(int recentId, int type, int time);
    void DeleteRecentContactor(int recentId, int type);
    void ClearRecentContactor();

    static constexpr size_t kMaxRecents = 50;

private:
    // A row write of the slots: the row of (type, recentId) replaced, or deleted.
    struct PendingRow {
        STRecentContactor recent;
        bool remove;
    };
    void Hold(const PendingRow& row);
    void EvictOldest();
    bool WriteClear(int bInTransaction);
    void WriteAtOnce(const PendingRow& row);

    CDbSQLite* m_pDbSQLite;  // not owned
    std::map<ULONG, STRecentContactor> m_mapRecent;
    // Accepted changes whose row write failed, by (type, recentId): held in memory, owed to the table.
    std::map<std::pair<LONG, LONG>, PendingRow> m_mapPendingRow;
    // Set by a clear, dropped by a load or once the rewritten table is committed: an empty
    // memory alone (before any load, after a failed one) never empties the table.
    bool m_bCleared = false;
};
