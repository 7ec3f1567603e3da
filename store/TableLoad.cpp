#include "TableLoad.h"

#include "StoreLog.h"

bool SelectAll(CDbSQLite* db, const LoadTexts& texts, CDbSQLite::ResultTable& table)
{
    LONG rc = db->SelectStatement(texts.select, table);
    if (rc == 0) return true;
    CStoreLog::StatementFailed(db, texts.loadTag, texts.selectError, rc);
    return false;
}
