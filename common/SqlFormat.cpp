#include "SqlFormat.h"

#include "MiscFuncs.h"
#include "SqlShape.h"
#include "Utf8.h"

SqlFormat::SqlFormat(const wchar_t* format)
{
    Parse(format ? format : L"");
    m_bindable = m_valid && LiftsToOwnShape();
}

void SqlFormat::Parse(const wchar_t* format)
{
    m_pieces.emplace_back();
    for (const wchar_t* p = format; *p; ++p) {
        if (*p != L'%') {
            m_pieces.back() += *p;
            continue;
        }
        switch (*++p) {
        case L'%':
            m_pieces.back() += L'%';
            continue;
        case L'd': case L'i':
            m_kinds.push_back(Kind::Signed);
            break;
        case L'u':
            m_kinds.push_back(Kind::Unsigned);
            break;
        case L's': {
            const bool quoted = !m_pieces.back().empty() && m_pieces.back().back() == L'\'' && p[1] == L'\'';
            m_kinds.push_back(quoted ? Kind::QuotedText : Kind::BareText);
            break;
        }
        default:
            m_valid = false;
            return;
        }
        m_pieces.emplace_back();
    }
}

// The values of two sample texts must come back as exactly one lifted literal each, in
// order, and both texts must share one shape: then every text the format makes does.
bool SqlFormat::LiftsToOwnShape()
{
    for (const int64_t sample : {-7, 7}) {
        std::vector<std::wstring> texts(m_kinds.size(), L"x");
        std::vector<SqlArg> args;
        for (size_t k = 0; k < m_kinds.size(); ++k) {
            if (m_kinds[k] == Kind::BareText) return false;
            if (m_kinds[k] == Kind::QuotedText) {
                args.emplace_back(texts[k]);
            } else {
                args.emplace_back(m_kinds[k] == Kind::Signed ? sample : int64_t{4000000000});
            }
        }
        SqlShape shape;
        if (!shape.Lift(ToUtf8(Text(args))) || shape.Literals().size() != m_kinds.size()) return false;
        for (size_t k = 0; k < m_kinds.size(); ++k) {
            const SqlLiteral& literal = shape.Literals()[k];
            const bool text = m_kinds[k] == Kind::QuotedText;
            if (literal.isText != text || (text ? literal.text != "x" : literal.integer != Integer(k, args[k]))) {
                return false;
            }
        }
        if (!m_shape.empty() && m_shape != shape.Text()) return false;
        m_shape = shape.Text();
    }
    return true;
}

bool SqlFormat::Fits(const std::vector<SqlArg>& args) const
{
    if (!m_valid || args.size() != m_kinds.size()) return false;
    for (size_t k = 0; k < args.size(); ++k) {
        const bool text = m_kinds[k] == Kind::QuotedText || m_kinds[k] == Kind::BareText;
        if (args[k].IsText() != text) return false;
    }
    return true;
}

std::wstring SqlFormat::Text(const std::vector<SqlArg>& args) const
{
    std::wstring text = m_pieces[0];
    for (size_t k = 0; k < m_kinds.size() && k < args.size(); ++k) {
        switch (m_kinds[k]) {
        case Kind::Signed:
            text += std::to_wstring(static_cast<int32_t>(args[k].Bits()));
            break;
        case Kind::Unsigned:
            text += std::to_wstring(args[k].Bits());
            break;
        case Kind::QuotedText:
            text += CMiscFuncs::Convert2SqlParam(args[k].Text()).Str();
            break;
        case Kind::BareText:
            text += args[k].Text().c_str();  // %s of a C string ends at its first NUL
            break;
        }
        text += m_pieces[k + 1];
    }
    return text;
}

int64_t SqlFormat::Integer(size_t k, const SqlArg& arg) const
{
    if (m_kinds[k] == Kind::Unsigned) return arg.Bits();
    return static_cast<int32_t>(arg.Bits());
}
