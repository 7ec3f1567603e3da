#include "ContactGroupDBStore.h"

#include <vector>

#include "KivoLog.h"
#include "MiscFuncs.h"
#include "StoreLog.h"
#include "TableLoad.h"
#include "TableTexts.h"
#include "WideConv.h"

namespace {

const TableTexts kOuterTexts = {
    L"CGroupDBStore",
    {L"CGroupDBStore::LoadFromDisk", L"select * from OuterGroupInfo", L"select * Gid  error"},
    L"insert into OuterGroupInfo (Gid,Name) values (%d,'%s')",
    {L"CGroupDBStore::SaveToDisk", L"delete from 'OuterGroupInfo'",
     L"delete from OuterGroupInfo error", L"insert into OuterGroupInfo error"}};

const TableTexts kInnerTexts = {
    L"CInnerGroupDBStore",
    {L"CInnerGroupDBStore::LoadFromDisk", L"select * from InnerGroupInfo", L"select * Gid  error"},
    L"insert into InnerGroupInfo (Gid,Name) values (%d,'%s')",
    {L"CInnerGroupDBStore::SaveToDisk", L"delete from 'InnerGroupInfo'",
     L"delete from InnerGroupInfo error", L"insert into InnerGroupInfo  error"}};

}  // namespace

CGroupDBStore::CGroupDBStore(CDbSQLite* db) : CContactGroupDBStore(db, kOuterTexts) {}
CInnerGroupDBStore::CInnerGroupDBStore(CDbSQLite* db) : CContactGroupDBStore(db, kInnerTexts) {}

int CContactGroupDBStore::LoadFromDisk()
{
    m_mapGroup.clear();
    CDbSQLite::ResultTable table;
    if (!SelectAll(m_pDbSQLite, m_texts.load, table)) return 0;
    for (size_t row = 0; row < table.GetRowCount(); ++row) {
        const LONG gid = _wtol(table.GetValue(row, 0));
        boost::shared_ptr<STGroup>& held = m_mapGroup[static_cast<ULONG>(gid)];
        if (!held) held = STGroup::CreateObject();  // a later row of the same Gid renames in place
        held->Gid = gid;
        held->Name = table.GetValue(row, 1).Str();
    }
    return 1;
}

int CContactGroupDBStore::SaveToDisk(int bInTransaction)
{
    CKivoLog::Print(m_texts.rewrite.saveTag, L"Begin");
    if (!m_bConsistent) {
        CStoreLog::NotLoginOver(m_texts.className);
        return 0;
    }
    std::vector<CString> inserts;
    inserts.reserve(m_mapGroup.size());
    for (const auto& entry : m_mapGroup) {
        const STGroup& group = *entry.second;
        CString sql;
        sql.Format(m_texts.insert, group.Gid, CMiscFuncs::Convert2SqlParam(group.Name).GetString());
        inserts.push_back(sql);
    }
    if (!RewriteTable(m_pDbSQLite, bInTransaction, m_texts.rewrite, inserts)) return 0;
    CKivoLog::Print(m_texts.rewrite.saveTag, L"End");
    return 1;
}

int CContactGroupDBStore::GetGroups(std::list<boost::shared_ptr<STGroup>>& lstGroup) const
{
    for (const auto& entry : m_mapGroup) {
        boost::shared_ptr<STGroup> copy = STGroup::CreateObject();
        *copy = *entry.second;
        lstGroup.push_back(copy);
    }
    return 1;
}

int CContactGroupDBStore::SetGroups(const std::list<boost::shared_ptr<STGroup>>& lstGroup)
{
    m_mapGroup.clear();
    for (const boost::shared_ptr<STGroup>& given : lstGroup) {
        if (!given) {
            CKivoLog::PrintV(L"%s::SetGroups, null group ignored", m_texts.className);
            continue;
        }
        auto inserted = m_mapGroup.emplace(static_cast<ULONG>(given->Gid), nullptr);
        if (!inserted.second) continue;  // the first group of a Gid wins
        boost::shared_ptr<STGroup> held = STGroup::CreateObject();
        held->Gid = given->Gid;
        held->Name = given->Name;
        inserted.first->second = held;
    }
    return 1;
}

int CContactGroupDBStore::UpdateGroup(const boost::shared_ptr<STGroup>& pGroup)
{
    if (!pGroup) {
        CKivoLog::PrintV(L"%s::UpdateGroup, null group ignored", m_texts.className);
        return 0;
    }
    boost::shared_ptr<STGroup>& held = m_mapGroup[static_cast<ULONG>(pGroup->Gid)];
    if (!held) {
        held = STGroup::CreateObject();
        held->Gid = pGroup->Gid;
    }
    held->Name = pGroup->Name;
    return 1;
}

int CContactGroupDBStore::RemoveGroup(unsigned int gid)
{
    return m_mapGroup.erase(gid) != 0 ? 1 : 0;
}

int CContactGroupDBStore::GetGroup(unsigned int gid, boost::shared_ptr<STGroup>& pGroup) const
{
    auto held = m_mapGroup.find(gid);
    if (held == m_mapGroup.end()) return 0;
    pGroup = held->second;
    return 1;
}
