#include "UpdateCounterDBStore.h"

#include "KivoLog.h"
#include "MiscFuncs.h"
#include "TableLoad.h"
#include "TableTexts.h"
#include "WideConv.h"

struct UpdateCounterTexts : TableTexts {
    const wchar_t* setLog;  // null: setting the counter logs nothing
    bool firstRowWins;
    bool stampsTime;        // the insert takes the save time as a second value
};

namespace {

const UpdateCounterTexts kInnerGroupUC = {
    {L"CInnerGroupUCDBStore",
     {L"CInnerGroupUCDBStore::LoadFromDisk", L"select * from InnerGroupUC", L"select * InnerGroupUC  error"},
     L"insert into InnerGroupUC (InnerGroupUC) values (%d)",
     {L"CInnerGroupUCDBStore::SaveToDisk", L"delete from 'InnerGroupUC'",
      L"delete from InnerGroupUC error", L"insert into InnerGroupUC  error"}},
    L"CInnerGroupUCDBStore::SaveInnerGroupsUC, InnerContactUc: %u", false, false};

const UpdateCounterTexts kInnerContactUC = {
    {L"CInnerContactUCDBStore",
     {L"CInnerContactUCDBStore::LoadFromDisk", L"select * from InnerContactUC", L"select * InnerContactUC  error"},
     L"insert into InnerContactUC (InnerContactUC) values (%d)",
     {L"CInnerContactUCDBStore::SaveToDisk", L"delete from 'InnerContactUC'",
      L"delete from InnerContactUC error", L"insert into InnerContactUC  error"}},
    L"CInnerContactUCDBStore::SaveInnerContactUC, InnerContactUc: %u", false, false};

const UpdateCounterTexts kExternalGroupUC = {
    {L"CExternalGroupUCDBStore",
     {L"CExternalGroupUCDBStore::LoadFromDisk", L"select * from ExternalGroupUC", L"select * ExternalGroupUC  error"},
     L"insert into ExternalGroupUC (ExternalGroupUC) values (%d)",
     {L"CExternalGroupUCDBStore::SaveToDisk", L"delete from 'ExternalGroupUC'",
      L"delete from ExternalGroupUC error", L"insert into ExternalGroupUC  error"}},
    nullptr, false, false};

const UpdateCounterTexts kExternalContactUC = {
    {L"CExternalContactUCDBStore",
     {L"CExternalContactUCDBStore::LoadFromDisk", L"select * from ExternalContactUC",
      L"select * ExternalContactUC  error"},
     L"insert into ExternalContactUC (ExternalContactUC) values (%d)",
     {L"CExternalContactUCDBStore::SaveToDisk", L"delete from 'ExternalContactUC'",
      L"delete from ExternalContactUC error", L"insert into ExternalContactUC  error"}},
    nullptr, false, false};

const UpdateCounterTexts kUserQGroupListUC = {
    {L"CUserQGroupListUCDBStore",
     {L"CUserQGroupListUCDBStore::LoadFromDisk", L"select * from UserQGroupListUC",
      L"select * UserQGroupListUC  error"},
     L"insert into UserQGroupListUC (UserQGroupListUC) values (%d)",
     {L"CUserQGroupListUCDBStore::SaveToDisk", L"delete from 'UserQGroupListUC'",
      L"delete from UserQGroupListUC error", L"insert into UserQGroupListUC  error"}},
    nullptr, false, false};

const UpdateCounterTexts kUserSessionListUC = {
    {L"CGetSessionListUCDBStore",
     {L"CGetSessionListUCDBStore::LoadFromDisk", L"select * from UserSessionListUC",
      L"select * UserSessionListUC  error"},
     L"insert into UserSessionListUC (SessionListUC) values (%d)",
     {L"CGetSessionListUCDBStore::SaveToDisk", L"delete from 'UserSessionListUC'",
      L"delete from UserSessionListUC error", L"insert into UserSessionListUC  error"}},
    nullptr, false, false};

const UpdateCounterTexts kContactUC = {
    {L"CContactUCDBStore",
     {L"CContactUCDBStore::LoadFromDisk", L"select * from ContactUC", L"select * ContactUC  error"},
     L"insert into ContactUC (ContactUC,UpdateTime) values (%d,'%s')",
     {L"CContactUCDBStore::SaveToDisk", L"delete from 'ContactUC'",
      L"delete from ContactUC error", L"insert into ContactUC error"}},
    nullptr, true, true};

}  // namespace

CInnerGroupUCDBStore::CInnerGroupUCDBStore(CDbSQLite* db) : CUpdateCounterDBStore(db, kInnerGroupUC) {}
CInnerContactUCDBStore::CInnerContactUCDBStore(CDbSQLite* db) : CUpdateCounterDBStore(db, kInnerContactUC) {}
CExternalGroupUCDBStore::CExternalGroupUCDBStore(CDbSQLite* db) : CUpdateCounterDBStore(db, kExternalGroupUC) {}
CExternalContactUCDBStore::CExternalContactUCDBStore(CDbSQLite* db) : CUpdateCounterDBStore(db, kExternalContactUC) {}
CUserQGroupListUCDBStore::CUserQGroupListUCDBStore(CDbSQLite* db) : CUpdateCounterDBStore(db, kUserQGroupListUC) {}
CGetSessionListUCDBStore::CGetSessionListUCDBStore(CDbSQLite* db) : CUpdateCounterDBStore(db, kUserSessionListUC) {}
CContactUCDBStore::CContactUCDBStore(CDbSQLite* db) : CUpdateCounterDBStore(db, kContactUC) {}

int CUpdateCounterDBStore::LoadFromDisk()
{
    m_lUpdateCounter = 0;
    CDbSQLite::ResultTable table;
    if (!SelectAll(m_pDbSQLite, m_texts.load, table)) return 0;
    if (table.GetRowCount() == 0) return 1;
    const size_t row = m_texts.firstRowWins ? 0 : table.GetRowCount() - 1;
    m_lUpdateCounter = _wtol(table.GetValue(row, 0));
    return 1;
}

CString CUpdateCounterDBStore::InsertStatement() const
{
    CString sql;
    if (m_texts.stampsTime) {
        sql.Format(m_texts.insert, m_lUpdateCounter,
                   CMiscFuncs::Convert2SqlParam(CMiscFuncs::GetCurTime(0)).GetString());
    } else {
        sql.Format(m_texts.insert, m_lUpdateCounter);
    }
    return sql;
}

int CUpdateCounterDBStore::SaveToDisk(int bInTransaction)
{
    CKivoLog::Print(m_texts.rewrite.saveTag, L"Begin");
    if (!RewriteTable(m_pDbSQLite, bInTransaction, m_texts.rewrite, {InsertStatement()})) return 0;
    CKivoLog::Print(m_texts.rewrite.saveTag, L"End");
    return 1;
}

int CUpdateCounterDBStore::GetUC(LONG* pUC) const
{
    if (!pUC) {
        CKivoLog::PrintV(L"%s::GetUC, null counter pointer ignored", m_texts.className);
        return 0;
    }
    *pUC = m_lUpdateCounter;
    return 1;
}

int CUpdateCounterDBStore::SetUC(LONG uc)
{
    if (m_texts.setLog) CKivoLog::PrintV(m_texts.setLog, static_cast<ULONG>(uc));
    m_lUpdateCounter = uc;
    return 1;
}
