#include "JsonObject.h"

#include "JsonValue.h"
#include "Utf8.h"

JsonObject::JsonObject() : m_json(nlohmann::ordered_json::object()) {}

void JsonObject::AddChild(const std::wstring& key, const std::wstring& value)
{
    m_json[ToUtf8(key)] = ToUtf8(value);
}

void JsonObject::AddChild(const std::wstring& key, const JsonValue& value)
{
    m_json[ToUtf8(key)] = value.m_json;
}

void JsonObject::AddChild(const std::wstring& key, JsonValue&& value)
{
    m_json[ToUtf8(key)] = std::move(value.m_json);
}

int JsonObject::TakeValue(const std::wstring& key, JsonValue& value)
{
    auto member = m_json.find(ToUtf8(key));
    if (member == m_json.end()) return 0;
    value.m_json = std::move(*member);
    return 1;
}

int JsonObject::GetValue(const std::wstring& key, JsonValue& value) const
{
    auto member = m_json.find(ToUtf8(key));
    if (member == m_json.end()) return 0;
    value.m_json = *member;
    return 1;
}

int JsonObject::GetValue(const std::wstring& key, std::wstring& value) const
{
    auto member = m_json.find(ToUtf8(key));
    if (member == m_json.end() || !member->is_string()) return 0;
    value = FromUtf8(member->get_ref<const std::string&>());
    return 1;
}
