// JSON text <-> JsonObject. Nothing here throws: text that is not a JSON object reads
// as an empty object.
#pragma once

#include <string>

#include "JsonObject.h"

class CJsonHelper {
public:
    static void StringToObject(const std::wstring& text, JsonObject& object);
    // Compact text, members in the order they were added, non-ASCII kept as UTF-8.
    static void ObjectToString(const JsonObject& object, std::wstring& text);
};
