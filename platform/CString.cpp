#include "CString.h"

#include <cwchar>
#include <cwctype>
#include <vector>

#include "WideConv.h"
#include "WideFormat.h"

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

namespace {

// Beyond this vswprintf gives up and the result is empty.
const size_t kMaxBuffer = size_t{1} << 28;

// Only conversions whose text is fixed by the value alone: no flags, width or precision.
bool WrittenDirectly(const wchar_t* format)
{
    if (!format) return false;
    for (const wchar_t* p = std::wcschr(format, L'%'); p; p = std::wcschr(p + 1, L'%')) {
        ++p;
        if (*p == L'l') ++p;
        switch (*p) {
        case L'%':
            if (p[-1] == L'l') return false;
            break;
        case L'd': case L'i': case L'u': case L's':
            break;
        default:
            return false;
        }
    }
    return true;
}

std::wstring FormatDirectly(const wchar_t* format, va_list args)
{
    std::wstring out;
    out.reserve(std::wcslen(format) + 32);
    wchar_t digits[kMaxDecimal];
    wchar_t* const digitsEnd = digits + kMaxDecimal;
    for (const wchar_t* p = format; *p; ++p) {
        if (*p != L'%') {
            const wchar_t* next = std::wcschr(p, L'%');
            if (!next) next = p + std::wcslen(p);
            out.append(p, static_cast<size_t>(next - p));
            p = next - 1;
            continue;
        }
        ++p;
        const bool isLong = *p == L'l';
        if (isLong) ++p;
        switch (*p) {
        case L'%':
            out += L'%';
            break;
        case L'd': case L'i': {
            const wchar_t* start = FormatDecimal(isLong ? va_arg(args, long) : va_arg(args, int), digitsEnd);
            out.append(start, static_cast<size_t>(digitsEnd - start));
            break;
        }
        case L'u': {
            const wchar_t* start =
                FormatUnsignedDecimal(isLong ? va_arg(args, unsigned long) : va_arg(args, unsigned int), digitsEnd);
            out.append(start, static_cast<size_t>(digitsEnd - start));
            break;
        }
        default: {  // s
            const wchar_t* text = va_arg(args, const wchar_t*);
            out += text ? text : L"(null)";
            break;
        }
        }
    }
    if (out.size() >= kMaxBuffer) out.clear();
    return out;
}

}  // namespace

std::wstring WideFormatV(const wchar_t* format, va_list args)
{
    if (!WrittenDirectly(format)) return WidePrintfV(format, args);
    va_list copy;
    va_copy(copy, args);
    std::wstring out = FormatDirectly(format, copy);
    va_end(copy);
    return out;
}

std::wstring WidePrintfV(const wchar_t* format, va_list args)
{
    const std::wstring fmt = ToGlibcWideFormat(format);
    std::vector<wchar_t> buffer(256);
    for (;;) {
        va_list copy;
        va_copy(copy, args);
        int written = std::vswprintf(buffer.data(), buffer.size(), fmt.c_str(), copy);
        va_end(copy);
        if (written >= 0) return std::wstring(buffer.data(), static_cast<size_t>(written));
        if (buffer.size() >= kMaxBuffer) return std::wstring();  // not a size problem
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
