// The query every table store starts its load with.
#pragma once

#include "DbSQLite.h"

struct LoadTexts {
    const wchar_t* loadTag;
    const wchar_t* select;
    const wchar_t* selectError;
};

// Runs texts.select into table; on failure logs it under loadTag with selectError (as every
// store logs a failed statement) and returns false, and the store loads nothing more.
bool SelectAll(CDbSQLite* db, const LoadTexts& texts, CDbSQLite::ResultTable& table);
