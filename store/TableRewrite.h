// Rewrites a whole table from memory: one delete, then every insert in order, in the
// caller's transaction or in one of its own. A failed statement is logged and ends the
// rewrite at once; the wrapper then rolls the transaction back, so a half-written table
// is never committed.
#pragma once

#include <vector>

#include "DbSQLite.h"

struct RewriteTexts {
    const wchar_t* saveTag;
    const wchar_t* deleteAll;
    const wchar_t* deleteError;
    const wchar_t* insertError;
};

// 1 once every statement ran (and, when the transaction is its own, committed), else 0.
int RewriteTable(CDbSQLite* db, int bInTransaction, const RewriteTexts& texts, const std::vector<CString>& inserts);
