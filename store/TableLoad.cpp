#include "TableLoad.h"

#include "StoreLog.h"

bool SelectAll(CDbSQLite* db, const wchar_t* loadTag, const wchar_t* selectText, const wchar_t* selectError,
               CDbSQLite::ResultTable& table)
{
    LONG rc = db->SelectStatement(selectText, table);
    if (rc == 0) return true;
    CStoreLog::StatementFailed(db, loadTag, selectError, rc);
    return false;
}
