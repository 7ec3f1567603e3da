// The users of the directory, keyed by Uid, in table UserBaseInfo. Saves are
// incremental: removed users' rows are deleted, pending users' rows replaced; the store
// has a consistent flag and runs its own transaction unless the caller holds one.
// CUserPositionExInfoDBStore is the same store on UserBaseInfoEx, with its own texts.
#pragma once

#include <list>
#include <map>
#include <set>

#include "DbSQLite.h"
#include "UserBaseInfo.h"

// The statement and log texts of one of the two user stores.
struct UserStoreTexts {
    const wchar_t* className;
    const wchar_t* loadTag;
    const wchar_t* saveTag;
    const wchar_t* selectAll;
    const wchar_t* deleteRemoved;
    const wchar_t* deleteRemovedError;
    const wchar_t* deleteBeforeWrite;  // null: writeRow replaces the row by itself
    const wchar_t* deleteBeforeWriteError;
    const wchar_t* writeRow;
    const wchar_t* writeError;
    const wchar_t* countToDelete;
    const wchar_t* count;
    const wchar_t* invalidAtSave;
    const wchar_t* modifyCount;
    const wchar_t* invalidAtModify;
    const wchar_t* flagChangeHeld;
    const wchar_t* flagChangeNew;
    const wchar_t* detailAtModify;
    const wchar_t* softRemove;
    const wchar_t* detailAtSoftRemove;
};

class CUserBaseInfoDBStore {
public:
    explicit CUserBaseInfoDBStore(CDbSQLite* pDbSQLite);

    int LoadFromDisk();
    int SaveToDisk(int bInTransaction);
    void SetConsistent(bool bConsistent) { m_bConsistent = bConsistent; }
    // Drops the pending changes a save under the caller's transaction wrote.
    void ForgetPending();

    int ModifyUserBaseInfo(const std::list<STUserBaseInfo>& lstUserInfo);
    int GetUserBaseInfo(ULONG ulUid, STUserBaseInfo& info);
    int RemoveBaseUserInfo(ULONG ulUid);
    int SoftRemoveBaseUserInfo(ULONG ulUid);
    int GetExistUserIdList(std::list<STUserId>& lstUserId);
    int GetAllUserBaseInfo(std::list<STUserBaseInfo>& lstUserInfo);
    int GetPositionExIdList(std::list<int>& lstId);

protected:
    CUserBaseInfoDBStore(CDbSQLite* pDbSQLite, const UserStoreTexts& texts);

private:
    void ModifyOne(const STUserBaseInfo& info);
    bool DeleteRemoved();
    bool WritePending();
    bool WriteRow(const STUserBaseInfo& u, LONG partialFlag);

    const UserStoreTexts& m_texts;
    bool m_bConsistent = false;
    std::map<ULONG, STUserBaseInfo> m_mapUserBaseInfo;
    // The changes the next save writes, as the PartialFlag of each one's row. The rest of
    // a row is the held record, except after a partial change, whose texts and Gender
    // differ from the held ones: m_mapPartialInfo keeps that change (its PartialFlag
    // unused). A fill of every user so costs a small node per user, not a second record.
    std::map<ULONG, LONG> m_mapModifyInfo;
    std::map<ULONG, STUserBaseInfo> m_mapPartialInfo;
    std::set<ULONG> m_mapDeleteInfo;
    CDbSQLite* m_pDbSQLite;  // not owned
};
