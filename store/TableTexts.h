// The fixed texts of a store that loads one table and rewrites it whole. A class that runs
// one algorithm over several such tables holds a row of these per table.
#pragma once

#include "TableRewrite.h"

struct TableTexts {
    const wchar_t* className;
    const wchar_t* loadTag;
    const wchar_t* saveTag;
    const wchar_t* select;
    const wchar_t* selectError;
    const wchar_t* deleteAll;
    const wchar_t* insert;
    const wchar_t* insertError;
    const wchar_t* deleteError;

    RewriteTexts Rewrite() const { return {saveTag, deleteAll, deleteError, insertError}; }
};
