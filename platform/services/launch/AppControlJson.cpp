#include "AppControl.h"

#include "log/PlatformLog.h"

#include <algorithm>
#include <mutex>
#include <set>

namespace msg_services {

namespace {

std::mutex& handlesMutex() {
    static std::mutex mutex;
    return mutex;
}

std::set<app_control_s*>& handles() {
    static std::set<app_control_s*> set;
    return set;
}

void addString(JsonBuilder* builder, const char* name, const std::string& value) {
    if (value.empty())
        return;
    json_builder_set_member_name(builder, name);
    json_builder_add_string_value(builder, value.c_str());
}

std::string memberString(JsonObject* object, const char* name) {
    JsonNode* node = json_object_get_member(object, name);
    if (!node || !JSON_NODE_HOLDS_VALUE(node) || json_node_get_value_type(node) != G_TYPE_STRING)
        return std::string();
    return json_node_get_string(node);
}

int64_t memberInt(JsonObject* object, const char* name) {
    JsonNode* node = json_object_get_member(object, name);
    if (!node || !JSON_NODE_HOLDS_VALUE(node) || json_node_get_value_type(node) != G_TYPE_INT64)
        return 0;
    return json_node_get_int(node);
}

} // namespace

void registerAppControl(app_control_s* handle) {
    std::lock_guard<std::mutex> lock(handlesMutex());
    handles().insert(handle);
}

void unregisterAppControl(app_control_s* handle) {
    std::lock_guard<std::mutex> lock(handlesMutex());
    handles().erase(handle);
}

bool isLiveAppControl(app_control_s* handle) {
    std::lock_guard<std::mutex> lock(handlesMutex());
    return handle && handles().count(handle);
}

std::string appControlToJson(const app_control_s& handle) {
    JsonBuilder* builder = json_builder_new();
    json_builder_begin_object(builder);
    addString(builder, "operation", handle.operation);
    addString(builder, "uri", handle.uri);
    addString(builder, "mime", handle.mime);
    addString(builder, "app_id", handle.appId);
    addString(builder, "caller", handle.caller);
    json_builder_set_member_name(builder, "launch_mode");
    json_builder_add_int_value(builder, handle.launchMode);
    if (handle.requestId > 0) {
        json_builder_set_member_name(builder, "id");
        json_builder_add_int_value(builder, handle.requestId);
    }
    json_builder_set_member_name(builder, "extra");
    json_builder_add_value(builder, bundleToJson(handle.extras));
    json_builder_end_object(builder);
    JsonNode* root = json_builder_get_root(builder);
    g_object_unref(builder);
    std::string text = jsonToText(root);
    json_node_unref(root);
    return text;
}

bool appControlFromJson(const std::string& text, app_control_s& out) {
    JsonNode* root = jsonFromText(text);
    PLAT_RETV_IF(!root, false, "request is not JSON");
    bool ok = JSON_NODE_HOLDS_OBJECT(root);
    app_control_s parsed;
    if (ok) {
        JsonObject* object = json_node_get_object(root);
        parsed.operation = memberString(object, "operation");
        parsed.uri = memberString(object, "uri");
        parsed.mime = memberString(object, "mime");
        parsed.appId = memberString(object, "app_id");
        parsed.caller = memberString(object, "caller");
        parsed.requestId = std::max<int64_t>(0, memberInt(object, "id"));
        parsed.launchMode = memberInt(object, "launch_mode") == 1 ? APP_CONTROL_LAUNCH_MODE_GROUP
                                                                  : APP_CONTROL_LAUNCH_MODE_SINGLE;
        JsonNode* extra = json_object_get_member(object, "extra");
        ok = !extra || bundleFromJson(extra, parsed.extras);
    }
    json_node_unref(root);
    PLAT_RETV_IF(!ok, false, "request is not a launch request");
    out = std::move(parsed);
    return true;
}

} // namespace msg_services
