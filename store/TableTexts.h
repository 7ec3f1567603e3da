// The fixed texts of a store that loads one table and rewrites it whole. A class that runs
// one algorithm over several such tables holds a row of these per table.
#pragma once

#include "TableLoad.h"
#include "TableRewrite.h"

struct TableTexts {
    const wchar_t* className;
    LoadTexts load;
    const wchar_t* insert;
    RewriteTexts rewrite;  // saveTag is also the save's Begin and End line
};
