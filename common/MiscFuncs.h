// Small helpers of Common used when building statements.
#pragma once

#include "CString.h"
#include "CStringArray.h"

class CMiscFuncs {
public:
    // value made safe to stand between single quotes in a statement: quotes doubled, and a
    // NUL, which a statement text cannot hold, spliced in as '||char(0)||'.
    static CString Convert2SqlParam(const std::wstring& value);
    static CString Convert2SqlParam(const wchar_t* value);
    // Local time as "YYYY-MM-DD HH:MM:SS"; the argument is unused.
    static CString GetCurTime(int unused = 0);
    // The non-empty pieces between separators; returns their number.
    static int SplitStr(const CString& text, wchar_t separator, CStringArray& parts);
};
