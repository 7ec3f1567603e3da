#include "TableRewrite.h"

#include "OwnTransaction.h"
#include "StoreLog.h"

namespace {

bool Failed(CDbSQLite* db, const wchar_t* tag, const wchar_t* text, LONG rc)
{
    if (rc == 0) return false;
    if (text) CStoreLog::StatementFailed(db, tag, text, rc);
    return true;
}

bool RunRows(CDbSQLite* db, const RewriteErrors& errors, const CString& deleteRows, const std::vector<CString>& inserts,
             const std::function<void()>& afterDelete = nullptr)
{
    if (Failed(db, errors.saveTag, errors.deleteError, db->ExecInTransaction(deleteRows))) return false;
    if (afterDelete) afterDelete();
    for (const CString& insert : inserts) {
        if (Failed(db, errors.saveTag, errors.insertError, db->ExecInTransaction(insert))) return false;
    }
    return true;
}

}  // namespace

int RewriteTable(CDbSQLite* db, int bInTransaction, const RewriteTexts& texts, const std::vector<CString>& inserts,
                 const RewriteSteps& steps)
{
    const RewriteErrors errors = {texts.saveTag, texts.deleteError, texts.insertError};
    COwnTransaction transaction(db, bInTransaction);
    transaction.Begin();
    if (!RunRows(db, errors, texts.deleteAll, inserts, steps.afterDelete)) return 0;
    if (steps.beforeCommit) steps.beforeCommit();
    return Failed(db, errors.saveTag, errors.commitError, transaction.Commit()) ? 0 : 1;
}

int RewriteKeys(CDbSQLite* db, int bInTransaction, const RewriteErrors& errors, const std::vector<KeyRows>& keys)
{
    COwnTransaction transaction(db, bInTransaction);
    transaction.Begin();
    for (const KeyRows& key : keys) {
        if (!RunRows(db, errors, key.deleteRows, key.inserts)) return 0;
    }
    return Failed(db, errors.saveTag, errors.commitError, transaction.Commit()) ? 0 : 1;
}
