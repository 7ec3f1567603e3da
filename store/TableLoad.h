// The query every table store starts its load with.
#pragma once

#include "DbSQLite.h"

// Runs selectText into table; on failure logs it under loadTag with selectError (as every
// store logs a failed statement) and returns false, and the store loads nothing more.
bool SelectAll(CDbSQLite* db, const wchar_t* loadTag, const wchar_t* selectText, const wchar_t* selectError,
               CDbSQLite::ResultTable& table);
