// A statement format in the stores' printf style (%d, %u, %s, %%), parsed once, and the
// values given for it. The text it makes is the one CString::Format makes with every
// quoted '%s' escaped. When each value of the format stands where SQLite reads a plain
// value, the statement can run with the values bound and no text built: the format's
// shape is then the shape SqlShape lifts from any text it makes.
#pragma once

#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

class SqlArg {
public:
    template <typename Int, typename = std::enable_if_t<std::is_integral_v<Int>>>
    SqlArg(Int value) : m_bits(static_cast<uint32_t>(value))  // NOLINT: converts as the format's %d would
    {
    }
    SqlArg(const std::wstring& text) : m_text(&text) {}  // NOLINT

    bool IsText() const { return m_text != nullptr; }
    uint32_t Bits() const { return m_bits; }
    // Whole: between quotes a NUL is escaped, not the end of the text.
    const std::wstring& Text() const { return *m_text; }

private:
    uint32_t m_bits = 0;
    const std::wstring* m_text = nullptr;
};

class SqlFormat {
public:
    enum class Kind { Signed, Unsigned, QuotedText, BareText };

    explicit SqlFormat(const wchar_t* format);

    // False when the format holds a conversion this class does not know.
    bool IsValid() const { return m_valid; }
    // True when the values can be bound into Shape() instead of being written into a text.
    bool IsBindable() const { return m_bindable; }
    const std::string& Shape() const { return m_shape; }
    const std::vector<Kind>& Kinds() const { return m_kinds; }
    // False when args do not match the conversions in number and kind.
    bool Fits(const std::vector<SqlArg>& args) const;

    std::wstring Text(const std::vector<SqlArg>& args) const;
    // The value SQLite reads for the integer conversion k.
    int64_t Integer(size_t k, const SqlArg& arg) const;

private:
    void Parse(const wchar_t* format);
    bool LiftsToOwnShape();

    bool m_valid = true;
    bool m_bindable = false;
    std::vector<std::wstring> m_pieces;  // the text around the conversions: one more than m_kinds
    std::vector<Kind> m_kinds;
    std::string m_shape;
};
