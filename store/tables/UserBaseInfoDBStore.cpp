#include "UserBaseInfoDBStore.h"

#include "CStringArray.h"
#include "KivoLog.h"
#include "MiscFuncs.h"
#include "OwnTransaction.h"
#include "StoreLog.h"
#include "WideConv.h"

namespace {

const wchar_t kSelectError[] = L"select * error";
const wchar_t kCommitError[] = L"COMMIT ERROR";

const UserStoreTexts kTexts = {
    L"CUserBaseInfoDBStore",
    L"CUserBaseInfoDBStore::LoadFromDisk",
    L"CUserBaseInfoDBStore::SaveToDisk",
    L"select * from UserBaseInfo",
    L"delete from UserBaseInfo where Uid=%d",
    L"delete from UserBaseInfo (m_mapDeleteInfo) error",
    nullptr,
    nullptr,
    L"replace into UserBaseInfo (Uid,Cid,CorpAccount,Account,Name,Gender, PartialFlag, ExistFlag, PositionEx, "
    L"ActiveState) values (%d,%d,'%s','%s','%s',%d, %d, %d, '%s', %d)",
    L"insert into UserBaseInfo error",
    L"CUserBaseInfoDBStore::SaveToDisk, user count to delete: %u",
    L"CUserBaseInfoDBStore::SaveToDisk, user count: %u",
    L"CUserBaseInfoDBStore::SaveToDisk, invalid user infor, existFlag>1 but corpAccount(or Name, account) is empty. "
    L"Uid: %u",
    L"CUserBaseInfoDBStore::ModifyUserBaseInfo, modified users count: %u",
    L"CUserBaseInfoDBStore::ModifyUserBaseInfo(ls), invalid user infor,Uid: %u, CorpAccount: %s, Name: %s, "
    L"Account: %s",
    L"CUserBaseInfoDBStore::ModifyUserBaseInfo(list<STUserBaseInfo>), user exist,  modify user flag from 1 to 0, "
    L"cid: %u, uid: %u",
    L"CUserBaseInfoDBStore::ModifyUserBaseInfo(list<STUserBaseInfo>), User not exist originally,  modify user flag "
    L"from 1 to 0, cid: %u, uid: %u",
    L"CUserBaseInfoDBStore::ModifyUserBaseInfo(list<STUserBaseInfo>), user detail info: corpAccount: %s, account: "
    L"%s, name: %s",
    L"CUserBaseInfoDBStore::SoftRemoveBaseUserInfo(ULONG), modify user flag from 1 to 0, cid: %u, uid: %u",
    L"CUserBaseInfoDBStore::SoftRemoveBaseUserInfo(ULONG), user detail info: corpAccount: %s, account: %s, name: %s",
};

// Columns of UserBaseInfo and UserBaseInfoEx.
enum Column { kUid, kCid, kCorpAccount, kAccount, kName, kGender, kPartialFlag, kExistFlag, kPositionEx,
              kActiveState };

// Assigning a text a little longer than the inline buffer would give it twice that
// buffer's room; a copy has only the room it needs, as a loaded record does.
void AssignText(const std::wstring& from, std::wstring& to)
{
    if (to.capacity() < from.size()) {
        to = std::wstring(from);
    } else {
        to = from;
    }
}

// The fields a partial record does not carry.
void CopyDetails(const STUserBaseInfo& from, STUserBaseInfo& to)
{
    AssignText(from.CorpAccount, to.CorpAccount);
    AssignText(from.Account, to.Account);
    AssignText(from.Name, to.Name);
    AssignText(from.PositionEx, to.PositionEx);
    to.Gender = from.Gender;
}

void CopyAllButPartialFlag(const STUserBaseInfo& from, STUserBaseInfo& to)
{
    const LONG partial = to.PartialFlag;
    to = from;
    to.PartialFlag = partial;
}

bool LacksName(const STUserBaseInfo& info, LONG partialFlag)
{
    return info.ExistFlag != 0 && partialFlag == 0 &&
           (info.CorpAccount.empty() || info.Name.empty() || info.Account.empty());
}

STUserBaseInfo FromRow(const CDbSQLite::Row& row)
{
    // A column an older file lacks keeps the field's default.
    const size_t columns = row.GetColumnCount();
    STUserBaseInfo info;
    info.Uid = static_cast<ULONG>(row.GetLong(kUid));
    info.Cid = static_cast<ULONG>(row.GetLong(kCid));
    if (!row.IsEmpty(kPartialFlag)) info.PartialFlag = row.GetLong(kPartialFlag);
    if (info.PartialFlag == 0) {
        info.CorpAccount = row.GetText(kCorpAccount);
        info.Account = row.GetText(kAccount);
        info.Name = row.GetText(kName);
        info.Gender = row.GetLong(kGender);
        info.PositionEx = row.GetText(kPositionEx);
    }
    if (columns > kExistFlag) info.ExistFlag = static_cast<ULONG>(row.GetLong(kExistFlag));
    if (columns > kActiveState) info.ActiveState = row.GetLong(kActiveState);
    return info;
}

}  // namespace

CUserBaseInfoDBStore::CUserBaseInfoDBStore(CDbSQLite* pDbSQLite) : CUserBaseInfoDBStore(pDbSQLite, kTexts) {}

CUserBaseInfoDBStore::CUserBaseInfoDBStore(CDbSQLite* pDbSQLite, const UserStoreTexts& texts)
    : m_texts(texts), m_pDbSQLite(pDbSQLite)
{
}

void CUserBaseInfoDBStore::ForgetPending()
{
    m_mapModifyInfo.clear();
    m_mapPartialInfo.clear();
    m_mapDeleteInfo.clear();
}

int CUserBaseInfoDBStore::LoadFromDisk()
{
    m_mapUserBaseInfo.clear();
    ForgetPending();
    LONG rc = m_pDbSQLite->SelectEachRow(m_texts.selectAll, [this](const CDbSQLite::Row& row) {
        STUserBaseInfo info = FromRow(row);
        m_mapUserBaseInfo.emplace(info.Uid, std::move(info));
    });
    if (rc != 0) {
        m_mapUserBaseInfo.clear();  // nothing of a load that failed part way stays
        CStoreLog::StatementFailed(m_pDbSQLite, m_texts.loadTag, kSelectError, rc);
        return 0;
    }
    return 1;
}

int CUserBaseInfoDBStore::SaveToDisk(int bInTransaction)
{
    CKivoLog::Print(m_texts.saveTag, L"Begin");
    if (!m_bConsistent) {
        CStoreLog::NotLoginOver(m_texts.className);
        return 0;
    }
    COwnTransaction transaction(m_pDbSQLite, bInTransaction);
    transaction.Begin();
    CKivoLog::PrintV(m_texts.countToDelete, static_cast<unsigned>(m_mapDeleteInfo.size()));
    if (!DeleteRemoved() || !WritePending()) return 0;
    CKivoLog::PrintV(m_texts.count, static_cast<unsigned>(m_mapUserBaseInfo.size()));
    LONG rc = transaction.Commit();
    if (rc != 0) {
        CStoreLog::StatementFailed(m_pDbSQLite, m_texts.saveTag, kCommitError, rc);
        return 0;
    }
    // Under the caller's transaction CStore forgets them once that one is committed.
    if (transaction.Owned()) ForgetPending();
    CKivoLog::Print(m_texts.saveTag, L"End");
    return 1;
}

// A failed delete has rolled the transaction back, so nothing after it could be
// written: stop there and keep every pending change for the next save. Only a user
// written again after its removal is still held; WritePending renews that one.
bool CUserBaseInfoDBStore::DeleteRemoved()
{
    for (ULONG uid : m_mapDeleteInfo) {
        LONG rc = m_pDbSQLite->ExecFormatted(m_texts.deleteRemoved, {uid});
        if (rc != 0) {
            CStoreLog::StatementFailed(m_pDbSQLite, m_texts.saveTag, m_texts.deleteRemovedError, rc);
            return false;
        }
    }
    return true;
}

// Every pending user is held: the calls that add one hold it, those that drop a held one
// drop its change. Once merged, the held record is the pending one but for PartialFlag.
bool CUserBaseInfoDBStore::WritePending()
{
    auto held = m_mapUserBaseInfo.end();
    for (const auto& [uid, partialFlag] : m_mapModifyInfo) {
        // Both maps ascend: the held record is most often the one after the last.
        auto next = held == m_mapUserBaseInfo.end() ? held : std::next(held);
        held = next != m_mapUserBaseInfo.end() && next->first == uid ? next : m_mapUserBaseInfo.try_emplace(uid).first;
        STUserBaseInfo& user = held->second;
        auto partial = m_mapPartialInfo.find(uid);
        if (partial != m_mapPartialInfo.end()) CopyAllButPartialFlag(partial->second, user);
        // A removed user comes back as a new record, made from its pending entry alone.
        if (m_mapDeleteInfo.count(uid) != 0) user.PartialFlag = 0;
        if (LacksName(user, partialFlag)) CKivoLog::PrintV(m_texts.invalidAtSave, uid);
        if (!WriteRow(user, partialFlag)) return false;
    }
    return true;
}

bool CUserBaseInfoDBStore::WriteRow(const STUserBaseInfo& u, LONG partialFlag)
{
    if (m_texts.deleteBeforeWrite) {
        LONG rc = m_pDbSQLite->ExecFormatted(m_texts.deleteBeforeWrite, {u.Uid});
        if (rc != 0) {
            CStoreLog::StatementFailed(m_pDbSQLite, m_texts.saveTag, m_texts.deleteBeforeWriteError, rc);
            return false;
        }
    }
    // The wrapper escapes the quoted texts, or binds them where the text is never built.
    LONG rc = m_pDbSQLite->ExecFormatted(m_texts.writeRow, {u.Uid, u.Cid, u.CorpAccount, u.Account, u.Name, u.Gender,
                                                             partialFlag, u.ExistFlag, u.PositionEx, u.ActiveState});
    if (rc != 0) {
        CStoreLog::StatementFailed(m_pDbSQLite, m_texts.saveTag, m_texts.writeError, rc);
        return false;
    }
    return true;
}

int CUserBaseInfoDBStore::ModifyUserBaseInfo(const std::list<STUserBaseInfo>& lstUserInfo)
{
    CKivoLog::PrintV(m_texts.modifyCount, static_cast<unsigned>(lstUserInfo.size()));
    for (const STUserBaseInfo& info : lstUserInfo) ModifyOne(info);
    return 1;
}

void CUserBaseInfoDBStore::ModifyOne(const STUserBaseInfo& in)
{
    if (LacksName(in, in.PartialFlag)) {
        CKivoLog::PrintV(m_texts.invalidAtModify, in.Uid, in.CorpAccount.c_str(), in.Name.c_str(),
                         in.Account.c_str());
    }
    auto [held, added] = m_mapUserBaseInfo.try_emplace(in.Uid);
    STUserBaseInfo& user = held->second;
    user.Cid = in.Cid;
    user.Uid = in.Uid;
    user.PartialFlag = in.PartialFlag;
    if (in.PartialFlag == 0) CopyDetails(in, user);
    if (user.ExistFlag == 1 && in.ExistFlag == 0) {
        CKivoLog::PrintV(added ? m_texts.flagChangeNew : m_texts.flagChangeHeld, in.Cid, in.Uid);
        if (in.PartialFlag != 0) {
            CKivoLog::PrintV(m_texts.detailAtModify, in.CorpAccount.c_str(), in.Account.c_str(), in.Name.c_str());
        }
    }
    user.ExistFlag = in.ExistFlag;
    user.ActiveState = in.ActiveState;
    // Only a partial change leaves held texts that differ from those to be written.
    m_mapModifyInfo.try_emplace(in.Uid, 0);
    if (in.PartialFlag == 0) {
        m_mapPartialInfo.erase(in.Uid);
    } else {
        m_mapPartialInfo.insert_or_assign(in.Uid, in);
    }
}

int CUserBaseInfoDBStore::GetUserBaseInfo(ULONG ulUid, STUserBaseInfo& info)
{
    auto held = m_mapUserBaseInfo.find(ulUid);
    if (held == m_mapUserBaseInfo.end()) return 0;
    const STUserBaseInfo& user = held->second;
    info.Cid = user.Cid;
    info.Uid = user.Uid;
    info.ActiveState = user.ActiveState;
    info.ExistFlag = user.ExistFlag;
    if (user.PartialFlag == 0) CopyDetails(user, info);
    return 1;
}

// A removed user never comes back by a change made before the removal.
int CUserBaseInfoDBStore::RemoveBaseUserInfo(ULONG ulUid)
{
    m_mapUserBaseInfo.erase(ulUid);
    m_mapModifyInfo.erase(ulUid);
    m_mapPartialInfo.erase(ulUid);
    m_mapDeleteInfo.insert(ulUid);
    return 1;
}

int CUserBaseInfoDBStore::SoftRemoveBaseUserInfo(ULONG ulUid)
{
    auto held = m_mapUserBaseInfo.find(ulUid);
    if (held == m_mapUserBaseInfo.end()) return 0;
    STUserBaseInfo& user = held->second;
    if (user.ExistFlag == 1) {
        CKivoLog::PrintV(m_texts.softRemove, user.Cid, user.Uid);
        if (user.PartialFlag != 0) {
            CKivoLog::PrintV(m_texts.detailAtSoftRemove, user.CorpAccount.c_str(), user.Account.c_str(),
                             user.Name.c_str());
        }
    }
    user.ExistFlag = 0;
    m_mapModifyInfo.try_emplace(ulUid, user.PartialFlag);
    // A partial change still pending would otherwise write the user back as existing.
    auto partial = m_mapPartialInfo.find(ulUid);
    if (partial != m_mapPartialInfo.end()) partial->second.ExistFlag = 0;
    return 1;
}

int CUserBaseInfoDBStore::GetExistUserIdList(std::list<STUserId>& lstUserId)
{
    lstUserId.clear();
    for (const auto& entry : m_mapUserBaseInfo) {
        if (entry.second.ExistFlag == 0) continue;
        STUserId id;
        id.Cid = entry.second.Cid;
        id.Uid = entry.second.Uid;
        lstUserId.push_back(id);
    }
    return 1;
}

int CUserBaseInfoDBStore::GetAllUserBaseInfo(std::list<STUserBaseInfo>& lstUserInfo)
{
    lstUserInfo.clear();
    for (const auto& entry : m_mapUserBaseInfo) lstUserInfo.push_back(entry.second);
    return 1;
}

int CUserBaseInfoDBStore::GetPositionExIdList(std::list<int>& lstId)
{
    lstId.clear();
    for (const auto& entry : m_mapUserBaseInfo) {
        if (entry.second.ExistFlag == 0) continue;
        CStringArray entries;
        const int count = CMiscFuncs::SplitStr(CString(entry.second.PositionEx), L';', entries);
        for (int i = 0; i < count; ++i) {
            CStringArray fields;
            const int fieldCount = CMiscFuncs::SplitStr(entries[i], L',', fields);
            if (fieldCount == 1 || fieldCount == 2) lstId.push_back(_wtoi(fields[0]));
        }
    }
    return 1;
}
