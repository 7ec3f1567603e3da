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

const UpdateCounterTexts kInnerGroupUC = {{
    L"CInnerGroupUCDBStore", L"CInnerGroupUCDBStore::LoadFromDisk", L"CInnerGroupUCDBStore::SaveToDisk",
    L"select * from InnerGroupUC", L"select * InnerGroupUC  error",
    L"delete from 'InnerGroupUC'",
    L"insert into InnerGroupUC (InnerGroupUC) values (%d)", L"insert into InnerGroupUC  error",
    L"delete from InnerGroupUC error"},
    L"CInnerGroupUCDBStore::SaveInnerGroupsUC, InnerContactUc: %u", false, false};

const UpdateCounterTexts kInnerContactUC = {{
    L"CInnerContactUCDBStore", L"CInnerContactUCDBStore::LoadFromDisk", L"CInnerContactUCDBStore::SaveToDisk",
    L"select * from InnerContactUC", L"select * InnerContactUC  error",
    L"delete from 'InnerContactUC'",
    L"insert into InnerContactUC (InnerContactUC) values (%d)", L"insert into InnerContactUC  error",
    L"delete from InnerContactUC error"},
    L"CInnerContactUCDBStore::SaveInnerContactUC, InnerContactUc: %u", false, false};

const UpdateCounterTexts kExternalGroupUC = {{
    L"CExternalGroupUCDBStore", L"CExternalGroupUCDBStore::LoadFromDisk", L"CExternalGroupUCDBStore::SaveToDisk",
    L"select * from ExternalGroupUC", L"select * ExternalGroupUC  error",
    L"delete from 'ExternalGroupUC'",
    L"insert into ExternalGroupUC (ExternalGroupUC) values (%d)", L"insert into ExternalGroupUC  error",
    L"delete from ExternalGroupUC error"}, nullptr, false, false};

const UpdateCounterTexts kExternalContactUC = {{
    L"CExternalContactUCDBStore", L"CExternalContactUCDBStore::LoadFromDisk", L"CExternalContactUCDBStore::SaveToDisk",
    L"select * from ExternalContactUC", L"select * ExternalContactUC  error",
    L"delete from 'ExternalContactUC'",
    L"insert into ExternalContactUC (ExternalContactUC) values (%d)", L"insert into ExternalContactUC  error",
    L"delete from ExternalContactUC error"}, nullptr, false, false};

const UpdateCounterTexts kUserQGroupListUC = {{
    L"CUserQGroupListUCDBStore", L"CUserQGroupListUCDBStore::LoadFromDisk", L"CUserQGroupListUCDBStore::SaveToDisk",
    L"select * from UserQGroupListUC", L"select * UserQGroupListUC  error",
    L"delete from 'UserQGroupListUC'",
    L"insert into UserQGroupListUC (UserQGroupListUC) values (%d)", L"insert into UserQGroupListUC  error",
    L"delete from UserQGroupListUC error"}, nullptr, false, false};

const UpdateCounterTexts kUserSessionListUC = {{
    L"CGetSessionListUCDBStore", L"CGetSessionListUCDBStore::LoadFromDisk", L"CGetSessionListUCDBStore::SaveToDisk",
    L"select * from UserSessionListUC", L"select * UserSessionListUC  error",
    L"delete from 'UserSessionListUC'",
    L"insert into UserSessionListUC (SessionListUC) values (%d)", L"insert into UserSessionListUC  error",
    L"delete from UserSessionListUC error"}, nullptr, false, false};

const UpdateCounterTexts kContactUC = {{
    L"CContactUCDBStore", L"CContactUCDBStore::LoadFromDisk", L"CContactUCDBStore::SaveToDisk",
    L"select * from ContactUC", L"select * ContactUC  error",
    L"delete from 'ContactUC'",
    L"insert into ContactUC (ContactUC,UpdateTime) values (%d,'%s')", L"insert into ContactUC error",
    L"delete from ContactUC error"}, nullptr, true, true};

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
    if (!SelectAll(m_pDbSQLite, m_texts.loadTag, m_texts.select, m_texts.selectError, table)) return 0;
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
    CKivoLog::Print(m_texts.saveTag, L"Begin");
    if (!RewriteTable(m_pDbSQLite, bInTransaction, m_texts.Rewrite(), {InsertStatement()})) return 0;
    CKivoLog::Print(m_texts.saveTag, L"End");
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
