#include "DumpWriter.h"

#include <wchar.h>

#include <algorithm>

#include "Utf8.h"

namespace {

const size_t kCellWidth = 48;     // in columns, longer values are cut, with "..." at the end
const size_t kLineWidth = 160;    // wider records are printed whole, one member per line
const size_t kLayoutRows = 1000;  // the rows the column widths are taken from

std::string Dump(const Record& value)
{
    return value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

// The columns a terminal gives a character: two for most CJK and emoji, none for a
// combining mark; one where the locale does not know.
size_t CharWidth(wchar_t ch)
{
    const int width = wcwidth(ch);
    return width < 0 ? 1 : static_cast<size_t>(width);
}

size_t Width(const std::string& text)
{
    size_t width = 0;
    for (wchar_t ch : FromUtf8(text)) width += CharWidth(ch);
    return width;
}

std::string Cut(const std::string& text, size_t width)
{
    if (Width(text) <= width) return text;
    std::wstring kept;
    size_t used = 0;
    for (wchar_t ch : FromUtf8(text)) {
        if (used + CharWidth(ch) > width - 3) break;
        used += CharWidth(ch);
        kept += ch;
    }
    return ToUtf8(kept) + "...";
}

// A value: texts as they are, control characters escaped so a record keeps its lines.
std::string Text(const Record& value)
{
    if (!value.is_string()) return Dump(value);
    std::string text;
    for (char ch : value.get_ref<const std::string&>()) {
        if (static_cast<unsigned char>(ch) >= 0x20) {
            text += ch;
        } else if (ch == '\n') {
            text += "\\n";
        } else if (ch == '\t') {
            text += "\\t";
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", static_cast<unsigned>(ch));
            text += escaped;
        }
    }
    return text;
}

std::string Member(const Record& row, const std::string& name)
{
    const auto it = row.find(name);
    return it == row.end() ? std::string() : Text(*it);
}

std::string Cell(const Record& row, const std::string& name)
{
    return Cut(Member(row, name), kCellWidth);
}

void TrimRight(std::string& line)
{
    while (!line.empty() && line.back() == ' ') line.pop_back();
}

std::string Pad(const std::string& text, size_t width)
{
    const size_t used = Width(text);
    return text + std::string(width > used ? width - used : 0, ' ');
}

}  // namespace

void DumpWriter::BeginStore(const std::string& store, Progress* progress)
{
    m_store = store;
    m_progress = progress;
    m_count = 0;
    m_printed = 0;
    m_rows.clear();
    m_laidOut = false;
    m_names.clear();
    m_widths.clear();
    if (!m_json) std::fprintf(m_out, "%s\n", m_store.c_str());
}

void DumpWriter::Add(const Record& record)
{
    ++m_count;
    if (m_progress) m_progress->Add();
    if (m_count > m_limit) return;
    if (m_json) {
        Record line = {{"store", m_store}};
        for (const auto& member : record.items()) line[member.key()] = member.value();
        std::fprintf(m_out, "%s\n", Dump(line).c_str());
    } else if (m_laidOut) {
        PrintRow(record);
    } else {
        m_rows.push_back(record);
        if (m_rows.size() == std::min(kLayoutRows, m_limit)) Layout();
    }
}

bool DumpWriter::Skip()
{
    if (m_count < m_limit) return false;
    ++m_count;
    if (m_progress) m_progress->Add();
    return true;
}

void DumpWriter::EndStore()
{
    m_counts.emplace_back(m_store, m_count);
    if (m_json) return;
    if (m_count == 0) {
        std::fprintf(m_out, "  (none)\n\n");
        return;
    }
    if (!m_laidOut) Layout();
    if (m_count > m_limit) std::fprintf(m_out, "  ... %zu more\n", m_count - m_limit);
    std::fprintf(m_out, "\n");
}

// Widths from the rows held so far; a later, wider cell is printed whole and shifts its line.
void DumpWriter::Layout()
{
    m_laidOut = true;
    for (const auto& member : m_rows.front().items()) m_names.push_back(member.key());
    std::vector<size_t> widths;
    for (const std::string& name : m_names) widths.push_back(Width(name));
    for (const Record& row : m_rows) {
        for (size_t c = 0; c < m_names.size(); ++c) widths[c] = std::max(widths[c], Width(Cell(row, m_names[c])));
    }
    size_t total = 0;
    for (size_t width : widths) total += width + 2;
    if (total <= kLineWidth) {
        m_widths = widths;
        std::string header;
        for (size_t c = 0; c < m_names.size(); ++c) header += "  " + Pad(m_names[c], m_widths[c]);
        TrimRight(header);
        std::fprintf(m_out, "%s\n", header.c_str());
    }
    for (const Record& row : m_rows) PrintRow(row);
    m_rows.clear();
    std::fflush(m_out);  // the first rows show at once, also through a pipe
}

void DumpWriter::PrintRow(const Record& row)
{
    ++m_printed;
    if (!m_widths.empty()) {
        std::string line;
        for (size_t c = 0; c < m_names.size(); ++c) line += "  " + Pad(Cell(row, m_names[c]), m_widths[c]);
        TrimRight(line);
        std::fprintf(m_out, "%s\n", line.c_str());
        return;
    }
    size_t nameWidth = 0;
    for (const std::string& name : m_names) nameWidth = std::max(nameWidth, Width(name));
    std::fprintf(m_out, "  #%zu\n", m_printed);
    for (const std::string& name : m_names) {
        std::string line = "    " + Pad(name, nameWidth) + "  " + Member(row, name);
        TrimRight(line);
        std::fprintf(m_out, "%s\n", line.c_str());
    }
}

void DumpWriter::PrintCounts()
{
    if (m_json) {
        Record counts = Record::object();
        for (const auto& [store, count] : m_counts) counts[store] = count;
        std::fprintf(m_out, "%s\n", Dump(Record{{"counts", counts}}).c_str());
        return;
    }
    std::fprintf(m_out, "counts\n");
    for (const auto& [store, count] : m_counts) std::fprintf(m_out, "  %-26s %zu\n", store.c_str(), count);
}
