#include "JsonValue.h"

JsonObject JsonValue::GetObjectValue() const
{
    JsonObject object;
    if (m_json.is_object()) object.m_json = m_json;
    return object;
}
