// The log lines every table store writes the same way.
#pragma once

#include "DbSQLite.h"
#include "PlatformTypes.h"

class CStoreLog {
public:
    // A failed statement: tag, the store's fixed text followed directly by LastError, code.
    static void StatementFailed(CDbSQLite* db, const wchar_t* tag, const wchar_t* text, LONG code);
    // A save refused while the consistent flag is false.
    static void NotLoginOver(const wchar_t* className);
};
