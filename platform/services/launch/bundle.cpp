#include "Bundle.h"

#include "log/PlatformLog.h"

#include <cstdlib>
#include <cstring>
#include <glib.h>

namespace msg_services {

int checkBundleKey(const char* key) {
    PLAT_RETV_IF(!key || !*key, BUNDLE_ERROR_INVALID_PARAMETER, "key is null or empty");
    PLAT_RETV_IF(std::strlen(key) > BUNDLE_KEY_MAX, BUNDLE_ERROR_INVALID_PARAMETER, "key is too long");
    PLAT_RETV_IF(!g_utf8_validate(key, -1, nullptr), BUNDLE_ERROR_INVALID_PARAMETER, "key is not UTF-8");
    return BUNDLE_ERROR_NONE;
}

int checkBundleValue(const char* value) {
    PLAT_RETV_IF(!value, BUNDLE_ERROR_INVALID_PARAMETER, "value is null");
    PLAT_RETV_IF(std::strlen(value) > BUNDLE_VALUE_MAX, BUNDLE_ERROR_INVALID_PARAMETER, "value is too long");
    PLAT_RETV_IF(!g_utf8_validate(value, -1, nullptr), BUNDLE_ERROR_INVALID_PARAMETER, "value is not UTF-8");
    return BUNDLE_ERROR_NONE;
}

JsonNode* bundleToJson(const bundle& b) {
    JsonBuilder* builder = json_builder_new();
    json_builder_begin_object(builder);
    for (const auto& [key, entry] : b.entries) {
        json_builder_set_member_name(builder, key.c_str());
        if (entry.isArray) {
            json_builder_begin_array(builder);
            for (const auto& item : entry.items)
                json_builder_add_string_value(builder, item.c_str());
            json_builder_end_array(builder);
        } else {
            json_builder_add_string_value(builder, entry.text.c_str());
        }
    }
    json_builder_end_object(builder);
    JsonNode* root = json_builder_get_root(builder);
    g_object_unref(builder);
    return root;
}

bool bundleFromJson(JsonNode* node, bundle& b) {
    if (!node || !JSON_NODE_HOLDS_OBJECT(node))
        return false;
    bundle parsed;
    JsonObject* object = json_node_get_object(node);
    GList* members = json_object_get_members(object);
    bool ok = true;
    for (GList* m = members; m && ok; m = m->next) {
        const char* key = static_cast<const char*>(m->data);
        // The parser lets a broken escape through as bytes that are not text; such a request is
        // refused rather than carried in a form that reads back differently.
        if (!g_utf8_validate(key, -1, nullptr)) {
            ok = false;
            break;
        }
        JsonNode* value = json_object_get_member(object, key);
        _bundle_t::Entry entry;
        if (JSON_NODE_HOLDS_ARRAY(value)) {
            entry.isArray = true;
            JsonArray* array = json_node_get_array(value);
            guint n = json_array_get_length(array);
            ok = n <= BUNDLE_ARRAY_MAX;
            for (guint i = 0; ok && i < n; ++i) {
                JsonNode* item = json_array_get_element(array, i);
                ok = json_node_get_value_type(item) == G_TYPE_STRING &&
                     g_utf8_validate(json_node_get_string(item), -1, nullptr);
                if (ok)
                    entry.items.push_back(json_node_get_string(item));
            }
        } else if (JSON_NODE_HOLDS_VALUE(value) && json_node_get_value_type(value) == G_TYPE_STRING &&
                   g_utf8_validate(json_node_get_string(value), -1, nullptr)) {
            entry.text = json_node_get_string(value);
        } else {
            ok = false;
        }
        if (ok)
            parsed.entries[key] = std::move(entry);
    }
    g_list_free(members);
    if (ok)
        b.entries = std::move(parsed.entries);
    return ok;
}

std::string jsonToText(JsonNode* node) {
    JsonGenerator* generator = json_generator_new();
    json_generator_set_root(generator, node);
    gchar* text = json_generator_to_data(generator, nullptr);
    std::string result(text ? text : "");
    g_free(text);
    g_object_unref(generator);
    return result;
}

JsonNode* jsonFromText(const std::string& text) {
    JsonParser* parser = json_parser_new();
    GError* error = nullptr;
    JsonNode* root = nullptr;
    if (json_parser_load_from_data(parser, text.data(), static_cast<gssize>(text.size()), &error)) {
        JsonNode* parsed = json_parser_get_root(parser);
        root = parsed ? json_node_copy(parsed) : nullptr;
    } else {
        PLAT_LOGE("not JSON: %s", error ? error->message : "?");
        g_clear_error(&error);
    }
    g_object_unref(parser);
    return root;
}

} // namespace msg_services

using namespace msg_services;

extern "C" bundle* bundle_create(void) {
    return new _bundle_t();
}

extern "C" int bundle_free(bundle* b) {
    PLAT_RETV_IF(!b, BUNDLE_ERROR_INVALID_PARAMETER, "b is null");
    delete b;
    return BUNDLE_ERROR_NONE;
}

extern "C" bundle* bundle_dup(bundle* b) {
    PLAT_RETV_IF(!b, nullptr, "b is null");
    return new _bundle_t(*b);
}

extern "C" int bundle_get_count(bundle* b) {
    return b ? static_cast<int>(b->entries.size()) : 0;
}

extern "C" int bundle_get_type(bundle* b, const char* key) {
    if (!b || !key)
        return BUNDLE_TYPE_NONE;
    auto it = b->entries.find(key);
    if (it == b->entries.end())
        return BUNDLE_TYPE_NONE;
    return it->second.isArray ? BUNDLE_TYPE_STR_ARRAY : BUNDLE_TYPE_STR;
}

extern "C" int bundle_add_str(bundle* b, const char* key, const char* str) {
    PLAT_RETV_IF(!b, BUNDLE_ERROR_INVALID_PARAMETER, "b is null");
    if (int error = checkBundleKey(key))
        return error;
    if (int error = checkBundleValue(str))
        return error;
    PLAT_RETV_IF(b->entries.count(key), BUNDLE_ERROR_KEY_EXISTS, "%s exists", key);
    _bundle_t::Entry entry;
    entry.text = str;
    b->entries[key] = std::move(entry);
    return BUNDLE_ERROR_NONE;
}

extern "C" int bundle_get_str(bundle* b, const char* key, char** str) {
    PLAT_RETV_IF(!b || !key || !str, BUNDLE_ERROR_INVALID_PARAMETER, "argument is null");
    auto it = b->entries.find(key);
    if (it == b->entries.end() || it->second.isArray)
        return BUNDLE_ERROR_KEY_NOT_AVAILABLE;
    *str = const_cast<char*>(it->second.text.c_str());
    return BUNDLE_ERROR_NONE;
}

extern "C" int bundle_add_str_array(bundle* b, const char* key, const char** str_array, const int len) {
    PLAT_RETV_IF(!b, BUNDLE_ERROR_INVALID_PARAMETER, "b is null");
    if (int error = checkBundleKey(key))
        return error;
    PLAT_RETV_IF(len < 0 || len > BUNDLE_ARRAY_MAX || (len > 0 && !str_array), BUNDLE_ERROR_INVALID_PARAMETER,
                 "bad array of %d", len);
    PLAT_RETV_IF(b->entries.count(key), BUNDLE_ERROR_KEY_EXISTS, "%s exists", key);
    _bundle_t::Entry entry;
    entry.isArray = true;
    for (int i = 0; i < len; ++i) {
        if (int error = checkBundleValue(str_array[i]))
            return error;
        entry.items.emplace_back(str_array[i]);
    }
    b->entries[key] = std::move(entry);
    return BUNDLE_ERROR_NONE;
}

extern "C" const char** bundle_get_str_array(bundle* b, const char* key, int* len) {
    if (len)
        *len = 0;
    PLAT_RETV_IF(!b || !key, nullptr, "argument is null");
    auto it = b->entries.find(key);
    if (it == b->entries.end() || !it->second.isArray)
        return nullptr;
    auto& entry = it->second;
    entry.view.clear();
    for (const auto& item : entry.items)
        entry.view.push_back(item.c_str());
    entry.view.push_back(nullptr);
    if (len)
        *len = static_cast<int>(entry.items.size());
    return entry.view.data();
}

extern "C" int bundle_del(bundle* b, const char* key) {
    PLAT_RETV_IF(!b || !key, BUNDLE_ERROR_INVALID_PARAMETER, "argument is null");
    return b->entries.erase(key) ? BUNDLE_ERROR_NONE : BUNDLE_ERROR_KEY_NOT_AVAILABLE;
}

extern "C" void bundle_foreach(bundle* b, bundle_iterator_t callback, void* user_data) {
    PLAT_RET_IF(!b || !callback, "argument is null");
    // A copy of the keys, so that the iterator may change the bundle.
    std::vector<std::pair<std::string, int>> keys;
    for (const auto& [key, entry] : b->entries)
        keys.emplace_back(key, entry.isArray ? BUNDLE_TYPE_STR_ARRAY : BUNDLE_TYPE_STR);
    for (const auto& [key, type] : keys)
        callback(key.c_str(), type, key.c_str(), user_data);
}

extern "C" int bundle_encode(bundle* b, bundle_raw** r, int* len) {
    PLAT_RETV_IF(!b || !r || !len, BUNDLE_ERROR_INVALID_PARAMETER, "argument is null");
    JsonNode* node = bundleToJson(*b);
    std::string text = jsonToText(node);
    json_node_unref(node);
    auto* raw = static_cast<bundle_raw*>(std::malloc(text.size() + 1));
    PLAT_RETV_IF(!raw, BUNDLE_ERROR_OUT_OF_MEMORY, "out of memory");
    std::memcpy(raw, text.c_str(), text.size() + 1);
    *r = raw;
    *len = static_cast<int>(text.size());
    return BUNDLE_ERROR_NONE;
}

extern "C" int bundle_free_encoded_rawdata(bundle_raw** r) {
    PLAT_RETV_IF(!r, BUNDLE_ERROR_INVALID_PARAMETER, "r is null");
    std::free(*r);
    *r = nullptr;
    return BUNDLE_ERROR_NONE;
}

extern "C" bundle* bundle_decode(const bundle_raw* r, const int len) {
    PLAT_RETV_IF(!r || len < 0, nullptr, "argument is null");
    JsonNode* node = jsonFromText(std::string(reinterpret_cast<const char*>(r), static_cast<size_t>(len)));
    if (!node)
        return nullptr;
    auto* b = new _bundle_t();
    if (!bundleFromJson(node, *b)) {
        PLAT_LOGE("not an encoded bundle");
        delete b;
        b = nullptr;
    }
    json_node_unref(node);
    return b;
}
