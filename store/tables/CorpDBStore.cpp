#include "CorpDBStore.h"

#include "KivoLog.h"
#include "MiscFuncs.h"
#include "StoreLog.h"
#include "TableLoad.h"
#include "TableRewrite.h"
#include "WideConv.h"

namespace {

const wchar_t kClass[] = L"CCorpDBStore";
const wchar_t kLoadTag[] = L"CCorpDBStore::LoadFromDisk";
const wchar_t kLoadCorpInfoTag[] = L"CCorpDBStore::LoadCorpInfo";
const wchar_t kSaveTag[] = L"CCorpDBStore::SaveToDisk";
const wchar_t kSaveCorpInfoTag[] = L"CCorpDBStore::SaveCorpInfo";
const wchar_t kSaveUCTag[] = L"CCorpDBStore::SaveUCToDisk";
const wchar_t kRemoveTag[] = L"CCorpDBStore::RemoveCorpInfo";
const wchar_t kLoadConfigTag[] = L"CCorpDBStore::LoadCorpConfig";
const wchar_t kSaveConfigTag[] = L"CCorpDBStore::SaveCorpConfig";
const wchar_t kLoadCorpInfoBegin[] = L"CCorpDBStore::LoadCorpInfo Begin, ulCorpId = %d";

const wchar_t kSelectUC[] = L"select * from CorpUC";
const wchar_t kSelectUCError[] = L"select * CorpUC  error";
const wchar_t kSelectAll[] = L"select * from CorpInfo";
const wchar_t kSelectAllError[] = L"select * CorpInfo  error";
const wchar_t kDeleteAll[] = L"delete from 'CorpInfo'";
const wchar_t kDeleteAllError[] = L"delete from CorpInfo error";
const wchar_t kInsertRow[] =
    L"insert into CorpInfo values (%u, '%s', '%s', '%s', '%s', %u, %u, %u, %u, '%s', '%s', '%s', '%s', '%s', "
    L"'%s' ,%u, '%s', %u, '%s', '%s', '%s', '%s', '%s', %u, %u, %u, %u, '%s', '%s', %u, %u)";
const wchar_t kInsertError[] = L"insert into CorpInfo  error";
const wchar_t kDeleteUC[] = L"delete from 'CorpUC'";
const wchar_t kDeleteUCError[] = L"delete from CorpUC error";
const wchar_t kInsertUC[] = L"insert into CorpUC (CorpUC) values (%d)";
const wchar_t kInsertUCError[] = L"insert into CorpUC  error";

// The columns of CorpInfo in table order; each is a number or a text of the record.
struct Column {
    ULONG STCorpInfo::*number;
    std::wstring STCorpInfo::*text;
};
const Column kColumns[] = {
    {&STCorpInfo::Cid, nullptr},         {nullptr, &STCorpInfo::Account},   {nullptr, &STCorpInfo::Name},
    {nullptr, &STCorpInfo::CnName},      {nullptr, &STCorpInfo::Domain},    {&STCorpInfo::State, nullptr},
    {&STCorpInfo::LicenseNum, nullptr},  {&STCorpInfo::userCard, nullptr},  {&STCorpInfo::logoType, nullptr},
    {nullptr, &STCorpInfo::EnName},      {nullptr, &STCorpInfo::Nation},    {nullptr, &STCorpInfo::Provience},
    {nullptr, &STCorpInfo::City},        {nullptr, &STCorpInfo::Country},   {nullptr, &STCorpInfo::Address},
    {&STCorpInfo::Type, nullptr},        {nullptr, &STCorpInfo::Description}, {&STCorpInfo::zipCode, nullptr},
    {nullptr, &STCorpInfo::Tel},         {nullptr, &STCorpInfo::Fax},       {nullptr, &STCorpInfo::Contactor},
    {nullptr, &STCorpInfo::Email},       {nullptr, &STCorpInfo::Website},   {&STCorpInfo::Capital, nullptr},
    {&STCorpInfo::EmployeeNum, nullptr}, {&STCorpInfo::PcNum, nullptr},     {&STCorpInfo::regDate, nullptr},
    {nullptr, &STCorpInfo::Slogn},       {nullptr, &STCorpInfo::config},    {&STCorpInfo::maxUser, nullptr},
    {&STCorpInfo::CorpUc, nullptr},
};

STCorpInfo FromRow(const CDbSQLite::ResultTable& table, size_t row)
{
    STCorpInfo info;
    size_t column = 0;
    for (const Column& c : kColumns) {
        const CString& value = table.GetValue(row, column++);
        if (c.number) {
            info.*c.number = static_cast<ULONG>(_wtol(value));
        } else {
            info.*c.text = value.Str();
        }
    }
    return info;
}

std::wstring Esc(const std::wstring& text)
{
    return CMiscFuncs::Convert2SqlParam(text).Str();
}

CString InsertStatement(const STCorpInfo& c)
{
    CString sql;
    sql.Format(kInsertRow, c.Cid, Esc(c.Account).c_str(), Esc(c.Name).c_str(), Esc(c.CnName).c_str(),
               Esc(c.Domain).c_str(), c.State, c.LicenseNum, c.userCard, c.logoType, Esc(c.EnName).c_str(),
               Esc(c.Nation).c_str(), Esc(c.Provience).c_str(), Esc(c.City).c_str(), Esc(c.Country).c_str(),
               Esc(c.Address).c_str(), c.Type, Esc(c.Description).c_str(), c.zipCode, Esc(c.Tel).c_str(),
               Esc(c.Fax).c_str(), Esc(c.Contactor).c_str(), Esc(c.Email).c_str(), Esc(c.Website).c_str(),
               c.Capital, c.EmployeeNum, c.PcNum, c.regDate, Esc(c.Slogn).c_str(), Esc(c.config).c_str(),
               c.maxUser, c.CorpUc);
    return sql;
}

}  // namespace

int CCorpDBStore::LoadFromDisk()
{
    m_lCorpUC = 0;
    m_mapCorpInfo.clear();
    CDbSQLite::ResultTable table;
    if (!SelectAll(m_pDbSQLite, {kLoadTag, kSelectUC, kSelectUCError}, table)) return 0;
    if (table.GetRowCount() > 0) m_lCorpUC = _wtol(table.GetValue(0, 0));
    return LoadCorpInfoRows();
}

int CCorpDBStore::LoadCorpInfoRows()
{
    CDbSQLite::ResultTable table;
    if (!SelectAll(m_pDbSQLite, {kLoadCorpInfoTag, kSelectAll, kSelectAllError}, table)) return 0;
    for (size_t row = 0; row < table.GetRowCount(); ++row) {
        STCorpInfo info = FromRow(table, row);
        m_mapCorpInfo.emplace(info.Cid, info);  // the table has no key: the first row stays
    }
    return 1;
}

int CCorpDBStore::SaveToDisk(int bInTransaction)
{
    CKivoLog::Print(kSaveTag, L"Begin");
    if (!m_bConsistent) {
        CStoreLog::NotLoginOver(kClass);
        return 0;
    }
    std::vector<CString> inserts;
    for (const auto& entry : m_mapCorpInfo) inserts.push_back(InsertStatement(entry.second));
    const RewriteTexts texts = {kSaveCorpInfoTag, kDeleteAll, kDeleteAllError, kInsertError};
    if (!RewriteTable(m_pDbSQLite, bInTransaction, texts, inserts)) return 0;
    CKivoLog::Print(kSaveTag, L"End");
    return 1;
}


int CCorpDBStore::SaveUCToDisk(int bInTransaction)
{
    CKivoLog::Print(kSaveUCTag, L"Begin");
    CString insert;
    insert.Format(kInsertUC, m_lCorpUC);
    const RewriteTexts texts = {kSaveUCTag, kDeleteUC, kDeleteUCError, kInsertUCError};
    RewriteSteps steps;
    steps.beforeCommit = [] { CKivoLog::Print(kSaveUCTag, L"Success"); };
    return RewriteTable(m_pDbSQLite, bInTransaction, texts, {insert}, steps);
}

int CCorpDBStore::GetCorpUC(LONG* pUC)
{
    if (!pUC) return 0;
    *pUC = m_lCorpUC;
    return 1;
}

int CCorpDBStore::SaveCorpUC(ULONG ulUC)
{
    m_lCorpUC = static_cast<LONG>(ulUC);
    return 1;
}

int CCorpDBStore::SaveCorpInfo(const STCorpInfo& corpInfo)
{
    CKivoLog::Print(kSaveCorpInfoTag, L"Begin");
    m_mapCorpInfo[corpInfo.Cid] = corpInfo;
    CKivoLog::Print(kSaveCorpInfoTag, L"End");
    return 1;
}

int CCorpDBStore::LoadCorpInfo(const ULONG& ulCorpId, STCorpInfo& corpInfo)
{
    CKivoLog::PrintV(kLoadCorpInfoBegin, ulCorpId);
    auto held = m_mapCorpInfo.find(ulCorpId);
    if (held == m_mapCorpInfo.end()) return 0;
    corpInfo = held->second;
    CKivoLog::Print(kLoadCorpInfoTag, L"End");
    return 1;
}

int CCorpDBStore::RemoveCorpInfo(const ULONG& ulCorpId)
{
    CKivoLog::Print(kRemoveTag, L"Begin");
    auto held = m_mapCorpInfo.find(ulCorpId);
    if (held == m_mapCorpInfo.end()) return 0;
    m_mapCorpInfo.erase(held);
    CKivoLog::Print(kRemoveTag, L"End");
    return 1;
}

int CCorpDBStore::LoadCorpConfig(const ULONG& ulCorpId, std::wstring& strConfig)
{
    CKivoLog::Print(kLoadConfigTag, L"Begin");
    auto held = m_mapCorpInfo.find(ulCorpId);
    if (held == m_mapCorpInfo.end()) return 0;
    strConfig = held->second.config;
    CKivoLog::Print(kLoadConfigTag, L"End");
    return 1;
}

int CCorpDBStore::SaveCorpConfig(const ULONG& ulCorpId, const std::wstring& strConfig)
{
    CKivoLog::Print(kSaveConfigTag, L"Begin");
    auto held = m_mapCorpInfo.find(ulCorpId);
    if (held == m_mapCorpInfo.end()) return 0;
    held->second.config = strConfig;
    CKivoLog::Print(kSaveConfigTag, L"End");
    return 1;
}
