#include "Utf8.h"

#include <cstdint>

namespace {

const char32_t kReplacement = 0xFFFD;

bool Encodable(char32_t cp)
{
    return cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF);
}

void Append(std::string& out, char32_t cp)
{
    if (!Encodable(cp)) cp = kReplacement;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one sequence at text[i]; advances i past what it consumed.
char32_t Decode(const unsigned char* text, size_t length, size_t& i)
{
    unsigned char lead = text[i++];
    if (lead < 0x80) return lead;
    int extra;
    char32_t cp;
    char32_t minimum;
    if ((lead & 0xE0) == 0xC0) { extra = 1; cp = lead & 0x1F; minimum = 0x80; }
    else if ((lead & 0xF0) == 0xE0) { extra = 2; cp = lead & 0x0F; minimum = 0x800; }
    else if ((lead & 0xF8) == 0xF0) { extra = 3; cp = lead & 0x07; minimum = 0x10000; }
    else return kReplacement;
    for (int k = 0; k < extra; ++k) {
        if (i >= length || (text[i] & 0xC0) != 0x80) return kReplacement;
        cp = (cp << 6) | (text[i++] & 0x3F);
    }
    if (cp < minimum || !Encodable(cp)) return kReplacement;
    return cp;
}

}  // namespace

// Most texts are ASCII throughout: copied a character a byte until the first that is not.
std::string ToUtf8(const wchar_t* text, size_t length)
{
    std::string out(length, '\0');
    size_t i = 0;
    for (; i < length && static_cast<uint32_t>(text[i]) < 0x80; ++i) out[i] = static_cast<char>(text[i]);
    if (i == length) return out;
    out.resize(i);
    out.reserve(length + (length - i) * 3);
    for (; i < length; ++i) Append(out, static_cast<char32_t>(text[i]));
    return out;
}

std::string ToUtf8(const std::wstring& text)
{
    return ToUtf8(text.data(), text.size());
}

std::wstring FromUtf8(const char* text, size_t length)
{
    if (!text) return std::wstring();
    // No text decodes to more characters than it has bytes.
    std::wstring out(length, L'\0');
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    size_t i = 0;
    for (; i < length && bytes[i] < 0x80; ++i) out[i] = static_cast<wchar_t>(bytes[i]);
    size_t count = i;
    while (i < length) out[count++] = static_cast<wchar_t>(Decode(bytes, length, i));
    out.resize(count);
    return out;
}

std::wstring FromUtf8(const std::string& text)
{
    return FromUtf8(text.data(), text.size());
}
