#include "JsonValue.h"

JsonObject JsonValue::GetObjectValue() const&
{
    JsonObject object;
    if (m_json.is_object()) object.m_json = m_json;
    return object;
}

JsonObject JsonValue::GetObjectValue() &&
{
    JsonObject object;
    if (m_json.is_object()) object.m_json = std::move(m_json);
    return object;
}
