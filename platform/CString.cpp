#include "CString.h"

#include <cwchar>
#include <cwctype>
#include <vector>

std::wstring ToGlibcWideFormat(const wchar_t* format)
{
    std::wstring out;
    if (!format) return out;
    for (const wchar_t* p = format; *p; ++p) {
        out += *p;
        if (*p != L'%') continue;
        ++p;
        if (*p == L'%') { out += *p; continue; }
        // flags, width, precision
        while (*p && std::wcschr(L"-+ #0123456789.*'", *p)) out += *p++;
        bool hasLength = false;
        while (*p && std::wcschr(L"hlLqjzt", *p)) { out += *p++; hasLength = true; }
        if (!*p) break;
        if ((*p == L's' || *p == L'c') && !hasLength) out += L'l';
        out += *p;
    }
    return out;
}

std::wstring WideFormatV(const wchar_t* format, va_list args)
{
    const std::wstring fmt = ToGlibcWideFormat(format);
    std::vector<wchar_t> buffer(256);
    for (;;) {
        va_list copy;
        va_copy(copy, args);
        int written = std::vswprintf(buffer.data(), buffer.size(), fmt.c_str(), copy);
        va_end(copy);
        if (written >= 0) return std::wstring(buffer.data(), static_cast<size_t>(written));
        if (buffer.size() >= (size_t{1} << 28)) return std::wstring();  // not a size problem
        buffer.resize(buffer.size() * 4);
    }
}

void CString::Format(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CString::FormatV(const wchar_t* format, va_list args)
{
    m_str = WideFormatV(format, args);
}

int CString::CompareNoCase(const wchar_t* other) const
{
    const wchar_t* a = m_str.c_str();
    const wchar_t* b = other ? other : L"";
    for (;; ++a, ++b) {
        wint_t ca = std::towlower(static_cast<wint_t>(*a));
        wint_t cb = std::towlower(static_cast<wint_t>(*b));
        if (ca != cb) return ca < cb ? -1 : 1;
        if (ca == 0) return 0;
    }
}
