// CStore: a damaged database file is kept aside and replaced by what can be read of it.
#include <string>

#include "DbRecovery.h"
#include "KivoLog.h"
#include "Schema.h"
#include "Store.h"
#include "Utf8.h"

namespace {

std::wstring Describe(const CDbRecovery::Result& result)
{
    std::wstring text = L"the database file was damaged";
    if (!result.damagedCopy.empty()) text += L"; kept as " + FromUtf8(result.damagedCopy);
    if (!result.ok) return text + L"; not recovered: " + FromUtf8(result.error);
    text += L"; rows recovered:";
    for (size_t k = 0; k < result.tables.size(); ++k) {
        const CDbRecovery::TableRows& table = result.tables[k];
        text += (k ? L", " : L" ") + FromUtf8(table.table) + L" " + std::to_wstring(table.rows);
        if (table.stretches) text += L" (" + std::to_wstring(table.stretches) + L" unreadable stretches skipped)";
    }
    return text + L"; update counters set to 0";
}

}  // namespace

bool CStore::RecoverDamagedFile(const wchar_t* path)
{
    m_pDbSQLite->Close();
    // Forgotten once tried: a failed recovery leaves the path free for a new file.
    m_pDbSQLite->ForgetDamage();
    // Rows may be gone from any table: with every counter at 0 the client fetches all again.
    const CDbRecovery recovery(CSchema::CounterResets());
    const CDbRecovery::Result result = recovery.RecoverInPlace(ToUtf8(path ? path : L""));
    CKivoLog::Print(L"CStore::RecoverDamagedFile", Describe(result).c_str());
    m_bTableCreated = FALSE;
    m_nTableCount = 0;
    return result.ok;
}
