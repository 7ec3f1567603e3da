#include "CheckReport.h"

void CheckReport::Add(const std::string& name, const Value& value, const std::string& text)
{
    m_json[name] = value;
    m_text += text;
}

void CheckReport::Print(std::FILE* out, bool json) const
{
    if (!json) {
        std::fputs(m_text.c_str(), out);
        return;
    }
    const std::string line = m_json.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    std::fprintf(out, "%s\n", line.c_str());
}
