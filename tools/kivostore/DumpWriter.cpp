#include "DumpWriter.h"

#include <algorithm>

namespace {

const size_t kCellWidth = 48;    // in columns, longer values are cut, with "..." at the end
const size_t kLineWidth = 160;   // wider records are printed whole, one member per line

std::string Dump(const Record& value)
{
    return value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

// Code points, the closest cheap measure of the width a terminal gives a text.
size_t Width(const std::string& text)
{
    return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char ch) { return (ch & 0xC0) != 0x80; }));
}

std::string Cut(const std::string& text, size_t width)
{
    if (Width(text) <= width) return text;
    size_t kept = 0;
    size_t end = 0;
    while (end < text.size() && kept < width - 3) {
        ++end;
        while (end < text.size() && (text[end] & 0xC0) == 0x80) ++end;
        ++kept;
    }
    return text.substr(0, end) + "...";
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
    return text + std::string(width > Width(text) ? width - Width(text) : 0, ' ');
}

}  // namespace

void DumpWriter::BeginStore(const std::string& store)
{
    m_store = store;
    m_count = 0;
    m_rows.clear();
}

void DumpWriter::Add(const Record& record)
{
    ++m_count;
    if (!m_json) {
        m_rows.push_back(record);
        return;
    }
    Record line = {{"store", m_store}};
    for (const auto& member : record.items()) line[member.key()] = member.value();
    std::fprintf(m_out, "%s\n", Dump(line).c_str());
}

void DumpWriter::EndStore()
{
    m_counts.emplace_back(m_store, m_count);
    if (!m_json) PrintTable();
    m_rows.clear();
}

void DumpWriter::PrintTable() const
{
    std::fprintf(m_out, "%s\n", m_store.c_str());
    if (m_rows.empty()) {
        std::fprintf(m_out, "  (none)\n\n");
        return;
    }
    std::vector<std::string> names;
    for (const auto& member : m_rows.front().items()) names.push_back(member.key());
    std::vector<size_t> widths;
    for (const std::string& name : names) widths.push_back(Width(name));
    for (const Record& row : m_rows) {
        for (size_t c = 0; c < names.size(); ++c) widths[c] = std::max(widths[c], Width(Cell(row, names[c])));
    }
    size_t total = 0;
    for (size_t width : widths) total += width + 2;

    if (total <= kLineWidth) {
        std::string header;
        for (size_t c = 0; c < names.size(); ++c) header += "  " + Pad(names[c], widths[c]);
        TrimRight(header);
        std::fprintf(m_out, "%s\n", header.c_str());
        for (const Record& row : m_rows) {
            std::string line;
            for (size_t c = 0; c < names.size(); ++c) line += "  " + Pad(Cell(row, names[c]), widths[c]);
            TrimRight(line);
            std::fprintf(m_out, "%s\n", line.c_str());
        }
    } else {
        size_t nameWidth = 0;
        for (const std::string& name : names) nameWidth = std::max(nameWidth, Width(name));
        for (size_t r = 0; r < m_rows.size(); ++r) {
            std::fprintf(m_out, "  #%zu\n", r + 1);
            for (const std::string& name : names) {
                std::string line = "    " + Pad(name, nameWidth) + "  " + Member(m_rows[r], name);
                TrimRight(line);
                std::fprintf(m_out, "%s\n", line.c_str());
            }
        }
    }
    std::fprintf(m_out, "\n");
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
