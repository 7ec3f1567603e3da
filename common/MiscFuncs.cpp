#include "MiscFuncs.h"

#include <ctime>
#include <cwchar>
#include <string_view>

namespace {

CString Escaped(const wchar_t* value, size_t length)
{
    // Most texts hold neither a quote nor a NUL: one copy, no rewrite.
    size_t clean = 0;
    while (clean < length && value[clean] != L'\'' && value[clean] != L'\0') ++clean;
    if (clean == length) return CString(std::wstring(value, length));
    std::wstring out;
    out.reserve(length + 8);
    out.append(value, clean);
    for (const wchar_t ch : std::wstring_view(value + clean, length - clean)) {
        if (ch == L'\0') {
            out += L"'||char(0)||'";
            continue;
        }
        out += ch;
        if (ch == L'\'') out += L'\'';
    }
    return CString(std::move(out));
}

}  // namespace

CString CMiscFuncs::Convert2SqlParam(const std::wstring& value)
{
    return Escaped(value.data(), value.size());
}

CString CMiscFuncs::Convert2SqlParam(const wchar_t* value)
{
    return value ? Escaped(value, std::wcslen(value)) : CString();
}

CString CMiscFuncs::GetCurTime(int /*unused*/)
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    wchar_t buffer[32];
    std::swprintf(buffer, 32, L"%04d-%02d-%02d %02d:%02d:%02d", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return CString(buffer);
}

int CMiscFuncs::SplitStr(const CString& text, wchar_t separator, CStringArray& parts)
{
    parts.RemoveAll();
    std::wstring piece;
    for (const wchar_t ch : text.Str()) {
        if (ch != separator) { piece += ch; continue; }
        if (!piece.empty()) parts.Add(CString(piece));
        piece.clear();
    }
    if (!piece.empty()) parts.Add(CString(piece));
    return parts.GetSize();
}
