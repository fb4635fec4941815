#include "Json.h"

namespace msg_e2e {

int intOf(JsonObject* o, const char* name) {
    return static_cast<int>(json_object_get_int_member_with_default(o, name, 0));
}

std::string stringOf(JsonObject* o, const char* name) {
    const char* value = json_object_get_string_member_with_default(o, name, "");
    return value ? value : "";
}

bool forEachObject(const std::string& json, const std::function<void(JsonObject*)>& each) {
    JsonParser* parser = json_parser_new();
    bool ok = json_parser_load_from_data(parser, json.c_str(), -1, nullptr) &&
              JSON_NODE_HOLDS_ARRAY(json_parser_get_root(parser));
    JsonArray* array = ok ? json_node_get_array(json_parser_get_root(parser)) : nullptr;
    for (guint i = 0; array && i < json_array_get_length(array); ++i)
        each(json_array_get_object_element(array, i));
    g_object_unref(parser);
    return ok;
}

std::vector<int> idsWhere(const std::string& json, const std::function<bool(JsonObject*)>& wanted) {
    std::vector<int> ids;
    forEachObject(json, [&](JsonObject* o) {
        if (wanted(o))
            ids.push_back(intOf(o, "id"));
    });
    return ids;
}

} // namespace msg_e2e
