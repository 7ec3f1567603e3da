// UTF-8 <-> wide text at the library's boundaries (SQLite, log, JSON). A code point that
// UTF-8 cannot carry (a lone surrogate, a value above U+10FFFF) becomes U+FFFD, and so
// does an invalid UTF-8 sequence on the way in.
#pragma once

#include <string>

std::string ToUtf8(const std::wstring& text);
std::string ToUtf8(const wchar_t* text, size_t length);
std::wstring FromUtf8(const char* text, size_t length);
std::wstring FromUtf8(const std::string& text);
