// Rewrites a table from memory in the caller's transaction or in one of its own: either
// the whole table (one delete, then every insert in order) or key by key (per key its
// delete, then its inserts). A failed statement ends the rewrite at once; the wrapper then
// rolls the transaction back, so a half-written table is never committed.
#pragma once

#include <functional>
#include <vector>

#include "DbSQLite.h"

struct RewriteTexts {
    const wchar_t* saveTag;
    const wchar_t* deleteAll;
    const wchar_t* deleteError;
    const wchar_t* insertError;
};

// Lines a store logs between the steps of a whole rewrite; an empty one logs nothing.
struct RewriteSteps {
    std::function<void()> afterDelete;
    std::function<void()> beforeCommit;
};

// 1 once every statement ran (and, when the transaction is its own, committed), else 0.
int RewriteTable(CDbSQLite* db, int bInTransaction, const RewriteTexts& texts, const std::vector<CString>& inserts,
                 const RewriteSteps& steps = {});

// What each failure of a key-by-key rewrite logs under saveTag; a null text logs nothing.
struct RewriteErrors {
    const wchar_t* saveTag;
    const wchar_t* deleteError;
    const wchar_t* insertError;
    const wchar_t* commitError = L"COMMIT ERROR";
};

// The statements of one key: its delete, then its inserts.
struct KeyRows {
    CString deleteRows;
    std::vector<CString> inserts;
};

// Rows of keys not given are left alone. Returns as RewriteTable does.
int RewriteKeys(CDbSQLite* db, int bInTransaction, const RewriteErrors& errors, const std::vector<KeyRows>& keys);
