// A JSON object whose members keep the order they were added in. Keys and texts are
// wide strings here and UTF-8 inside.
#pragma once

#include <string>

#include <nlohmann/json.hpp>

class JsonValue;

class JsonObject {
public:
    JsonObject();

    // A member of the same key is replaced in its place.
    void AddChild(const std::wstring& key, const std::wstring& value);
    void AddChild(const std::wstring& key, const JsonValue& value);
    void AddChild(const std::wstring& key, JsonValue&& value);
    // Non-zero and the member when key exists, else 0 and value left alone.
    int GetValue(const std::wstring& key, JsonValue& value) const;
    // As GetValue, but the member's value is moved out and null is left in its place: for
    // a reader that has no further use for it here.
    int TakeValue(const std::wstring& key, JsonValue& value);
    // Non-zero and the text when key holds a string, else 0 and value left alone.
    int GetValue(const std::wstring& key, std::wstring& value) const;

private:
    friend class JsonValue;
    friend class CJsonHelper;

    nlohmann::ordered_json m_json;
};
