// The framework's wide printf convention on glibc, for CString and the logger; not part
// of what a client of the module sees.
#pragma once

#include <cstdarg>
#include <string>

// Rewrites the framework's wide-format convention into glibc's (%s -> %ls, %c -> %lc).
std::wstring ToGlibcWideFormat(const wchar_t* format);

// The text vswprintf makes of the format in the framework's convention. Formats of plain
// %d, %i, %u, %s (and their l forms) and %% are written directly, which is several times
// faster than glibc's wide printf; anything else goes to WidePrintfV.
std::wstring WideFormatV(const wchar_t* format, va_list args);

// vswprintf into a buffer that grows until the result fits.
std::wstring WidePrintfV(const wchar_t* format, va_list args);
