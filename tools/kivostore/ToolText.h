// Text at the tool's edges: file names and output are UTF-8, the store's texts wide.
#pragma once

#include <string>

#include "CString.h"
#include "Utf8.h"

inline std::string Narrow(const std::wstring& text) { return ToUtf8(text); }
inline std::string Narrow(const CString& text) { return ToUtf8(text.Str()); }
inline std::string Narrow(const wchar_t* text) { return ToUtf8(text ? std::wstring(text) : std::wstring()); }
inline CString WidePath(const std::string& path) { return CString(FromUtf8(path)); }
