#include "JsonHelper.h"

#include "Utf8.h"

namespace {

// Copying a parsed value recurses once per level: a crafted, deeply nested text would
// overflow the stack, so such texts are refused while parsing, which does not recurse.
const int kMaxDepth = 64;

}  // namespace

void CJsonHelper::StringToObject(const std::wstring& text, JsonObject& object)
{
    using Json = nlohmann::ordered_json;
    bool tooDeep = false;
    auto limitDepth = [&tooDeep](int depth, Json::parse_event_t, Json&) {
        if (depth <= kMaxDepth) return true;
        tooDeep = true;
        return false;
    };
    Json parsed = Json::parse(ToUtf8(text), limitDepth, false);
    if (tooDeep || !parsed.is_object()) parsed = Json::object();
    object.m_json = std::move(parsed);
}

void CJsonHelper::ObjectToString(const JsonObject& object, std::wstring& text)
{
    text = FromUtf8(object.m_json.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace));
}
