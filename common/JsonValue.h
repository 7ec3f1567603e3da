// One JSON member value, as JsonObject hands it out; the store uses object values only.
#pragma once

#include <utility>

#include <nlohmann/json.hpp>

#include "JsonObject.h"

class JsonValue {
public:
    JsonValue() = default;
    explicit JsonValue(const JsonObject& object) : m_json(object.m_json) {}
    explicit JsonValue(JsonObject&& object) : m_json(std::move(object.m_json)) {}

    bool IsObject() const { return m_json.is_object(); }
    // The object inside; an empty one when the value is not an object.
    JsonObject GetObjectValue() const&;
    // The same, moved out of a value that is not needed afterwards.
    JsonObject GetObjectValue() &&;

private:
    friend class JsonObject;

    nlohmann::ordered_json m_json;
};
