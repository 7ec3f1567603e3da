#include "TableRewrite.h"

#include "OwnTransaction.h"
#include "StoreLog.h"

int RewriteTable(CDbSQLite* db, int bInTransaction, const RewriteTexts& texts, const std::vector<CString>& inserts)
{
    COwnTransaction transaction(db, bInTransaction);
    transaction.Begin();
    LONG rc = db->ExecInTransaction(texts.deleteAll);
    if (rc != 0) {
        CStoreLog::StatementFailed(db, texts.saveTag, texts.deleteError, rc);
        return 0;
    }
    for (const CString& insert : inserts) {
        rc = db->ExecInTransaction(insert);
        if (rc != 0) {
            CStoreLog::StatementFailed(db, texts.saveTag, texts.insertError, rc);
            return 0;
        }
    }
    rc = transaction.Commit();
    if (rc != 0) {
        CStoreLog::StatementFailed(db, texts.saveTag, L"COMMIT ERROR", rc);
        return 0;
    }
    return 1;
}
