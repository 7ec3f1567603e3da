// A small wide string in the desktop framework's style. Format/FormatV take the
// framework's convention where %s and %c mean wide text.
#pragma once

#include <cstdarg>
#include <string>
#include <utility>

#include "PlatformTypes.h"

// Exported: a client of the module calls Format and CompareNoCase too.
class KIVOSTORE_API CString {
public:
    CString() = default;
    CString(const wchar_t* text) : m_str(text ? text : L"") {}
    CString(const std::wstring& text) : m_str(text) {}
    CString(std::wstring&& text) : m_str(std::move(text)) {}

    void Format(const wchar_t* format, ...);
    void FormatV(const wchar_t* format, va_list args);

    int GetLength() const { return static_cast<int>(m_str.size()); }
    bool IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    int CompareNoCase(const wchar_t* other) const;
    const wchar_t* GetString() const { return m_str.c_str(); }
    const std::wstring& Str() const { return m_str; }

    operator const wchar_t*() const { return m_str.c_str(); }
    CString& operator+=(const CString& other) { m_str += other.m_str; return *this; }
    CString& operator+=(const wchar_t* other) { if (other) m_str += other; return *this; }
    CString& operator+=(wchar_t ch) { m_str += ch; return *this; }
    friend CString operator+(CString left, const CString& right) { left += right; return left; }
    friend CString operator+(CString left, const wchar_t* right) { left += right; return left; }
    bool operator==(const CString& other) const { return m_str == other.m_str; }
    bool operator==(const wchar_t* other) const { return m_str == (other ? other : L""); }
    bool operator!=(const CString& other) const { return !(*this == other); }

private:
    std::wstring m_str;
};
