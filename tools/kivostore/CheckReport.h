// What `kivostore check` found, section by section: printed as text, or with --json as
// one JSON object with a member per section. A new finding is one more section.
#pragma once

#include <cstdio>
#include <string>

#include <nlohmann/json.hpp>

class CheckReport {
public:
    using Value = nlohmann::ordered_json;

    // The section's JSON member and its text lines (each ending in a newline).
    void Add(const std::string& name, const Value& value, const std::string& text);
    void Print(std::FILE* out, bool json) const;

private:
    Value m_json = Value::object();
    std::string m_text;
};
