// CStore: the database path, opening the file, and creating and upgrading the schema.
#include "KivFileUtility.h"
#include "KivoLog.h"
#include "Schema.h"
#include "Store.h"

void CStore::SetDBPath(const CString& strPath)
{
    CKivoLog::PrintV(L"CStore::SetDBPath strPath = %s, m_strDBPath = %s", strPath.GetString(),
                     m_strDBPath.GetString());
    if (m_strDBPath.CompareNoCase(strPath) != 0) SettlePendingRows(strPath);
    if (m_strDBPath.CompareNoCase(strPath) != 0 || !CKivFileUtility::IsFileExist(strPath.Str(), nullptr)) {
        m_bTableCreated = FALSE;
        m_nTableCount = 0;
        CKivoLog::Print(L"CStore::SetDBPath m_bTableCreated = FALSE");
    }
    m_strDBPath = strPath;
}

BOOL CStore::OpenDBFile()
{
    return OpenDBFile(m_strDBPath);
}

// A file on which a load or save met damage is opened through OpenDBFile, which recovers it.
BOOL CStore::EnsureOpen()
{
    if (m_pDbSQLite && m_pDbSQLite->IsOpenFile(m_strDBPath) && !m_pDbSQLite->MetDamage(m_strDBPath)) return TRUE;
    return OpenDBFile(m_strDBPath);
}

// A file found damaged at the open or the schema step, or by an earlier load or save, is
// recovered first; a file that is busy, read-only or on a full disk is only refused.
BOOL CStore::OpenDBFile(const wchar_t* path)
{
    CKivoLog::PrintV(L"CStore::OpenDBFile db_file = %s", path ? path : L"");
    if (!m_pDbSQLite) return FALSE;
    if (!m_pDbSQLite->MetDamage(path)) {
        const LONG rc = OpenWithSchema(path);
        if (!CDbSQLite::IsDamageCode(rc) && !m_pDbSQLite->MetDamage(path)) return rc == 0;
    }
    return RecoverDamagedFile(path) && OpenWithSchema(path) == 0;
}

LONG CStore::OpenWithSchema(const wchar_t* path)
{
    if (m_pDbSQLite->Open(path, nullptr) != 0) {
        m_pDbSQLite->Close();
        const LONG rc = m_pDbSQLite->Open(path, nullptr);
        if (rc != 0) {
            CKivoLog::Print(L"CStore::OpenDBFile", m_pDbSQLite->LastError(), rc);
            return rc;
        }
    }
    // A file put in place of the one examined is examined as on a first open.
    if (m_pDbSQLite->OpenFileId() != m_schemaFile) {
        m_bTableCreated = FALSE;
        m_nTableCount = 0;
        m_schemaFile = m_pDbSQLite->OpenFileId();
    }
    CKivoLog::PrintV(L"CStore::OpenDBFile m_bTableCreated = %d", m_bTableCreated);
    if (!IsTableCreated()) m_nTableCount = CreateTable();
    return 0;
}

void CStore::CloseDBFile()
{
    if (m_pDbSQLite) m_pDbSQLite->Close();
}

// A save ends the file's use as a close does, but keeps the connection for the next
// operation on the same file: closing it would cost every save three more syncs.
void CStore::ParkDBFile()
{
    if (m_pDbSQLite) m_pDbSQLite->Park();
}

BOOL CStore::IsTableCreated()
{
    CKivoLog::Print(L"CStore::CreateTable CorpInfo");
    // Every open asks this: the rows are counted, their texts never converted.
    unsigned int tables = 0;
    const LONG rc = m_pDbSQLite->SelectEachRow(L"SELECT * FROM sqlite_master where type='table'",
                                               [&tables](const CDbSQLite::Row&) { ++tables; });
    return rc == 0 && tables >= m_nTableCount && m_nTableCount > 15;
}

unsigned int CStore::CreateTable()
{
    CKivoLog::Print(L"CStore::CreateTable begin");
    CDbSQLite::ResultTable master;
    for (const TableSchema& table : CSchema::Tables()) {
        CString step(L"CStore::CreateTable ");
        step += table.name;
        CKivoLog::Print(step);
        LONG rc = m_pDbSQLite->SelectStatement(CSchema::MasterRowQuery(table.name), master);
        if (rc == 0 && master.GetRowCount() > 0) {
            for (const ColumnUpgrade& upgrade : CSchema::Upgrades()) {
                if (CString(upgrade.table) == table.name) AddColumn(master, upgrade.column, upgrade.type, table.name);
            }
            AddIndex(table);
            continue;
        }
        const std::wstring name = table.name;
        if ((name == L"CorpInfo" || name == L"DeptInfo") && rc != 101) {
            CKivoLog::Print(L"CStore::CreateTable", m_pDbSQLite->LastError());
        }
        if (m_pDbSQLite->DirectStatement(table.createSql) != 101) return 0;
        AddIndex(table);
    }
    CKivoLog::Print(L"CStore::CreateTable end");
    return static_cast<unsigned int>(CSchema::Tables().size());
}

BOOL CStore::AddColumn(const CDbSQLite::ResultTable& master, const wchar_t* column, const wchar_t* type,
                       const wchar_t* table)
{
    if (CSchema::CreateTextHasColumn(master.GetValue(0, 4).Str(), column)) return TRUE;
    CString sql;
    sql.Format(L"alter table %s add column %s %s", table, column, type);
    LONG rc = m_pDbSQLite->DirectStatement(sql);
    if (rc == 101) return TRUE;
    CKivoLog::PrintV(L"CStore::AddColumn, alter db table %s to add field(type) %s(%s) fail, hr = %d\n", table, column,
                     type, rc);
    return FALSE;
}

// Without its index a table still works, only slower: a failure is logged, not fatal.
void CStore::AddIndex(const TableSchema& table)
{
    if (!table.indexSql) return;
    LONG rc = m_pDbSQLite->DirectStatement(table.indexSql);
    if (rc != 101) CKivoLog::PrintV(L"CStore::AddIndex, index on %s fail, hr = %d", table.name, rc);
}
