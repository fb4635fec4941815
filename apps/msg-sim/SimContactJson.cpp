#include "SimContactJson.h"

#include <cstdio>
#include <json-glib/json-glib.h>

namespace msg_sim {

JsonOut::JsonOut() : _builder(json_builder_new()) {}

JsonOut::~JsonOut() {
    g_object_unref(_builder);
}

JsonOut& JsonOut::begin() {
    json_builder_begin_object(_builder);
    return *this;
}

JsonOut& JsonOut::end() {
    json_builder_end_object(_builder);
    return *this;
}

JsonOut& JsonOut::beginArray() {
    json_builder_begin_array(_builder);
    return *this;
}

JsonOut& JsonOut::beginArray(const char* name) {
    json_builder_set_member_name(_builder, name);
    return beginArray();
}

JsonOut& JsonOut::endArray() {
    json_builder_end_array(_builder);
    return *this;
}

JsonOut& JsonOut::member(const char* name, const std::string& value) {
    json_builder_set_member_name(_builder, name);
    json_builder_add_string_value(_builder, value.c_str());
    return *this;
}

JsonOut& JsonOut::member(const char* name, int value) {
    return member(name, static_cast<int64_t>(value));
}

JsonOut& JsonOut::member(const char* name, int64_t value) {
    json_builder_set_member_name(_builder, name);
    json_builder_add_int_value(_builder, value);
    return *this;
}

JsonOut& JsonOut::member(const char* name, bool value) {
    json_builder_set_member_name(_builder, name);
    json_builder_add_boolean_value(_builder, value);
    return *this;
}

JsonOut& JsonOut::array(const char* name, const std::vector<std::string>& values) {
    json_builder_set_member_name(_builder, name);
    json_builder_begin_array(_builder);
    for (const auto& value : values)
        json_builder_add_string_value(_builder, value.c_str());
    json_builder_end_array(_builder);
    return *this;
}

void JsonOut::print() {
    JsonNode* root = json_builder_get_root(_builder);
    if (!root)
        return;
    JsonGenerator* generator = json_generator_new();
    json_generator_set_root(generator, root);
    gchar* text = json_generator_to_data(generator, nullptr);
    std::printf("%s\n", text);
    g_free(text);
    g_object_unref(generator);
    json_node_unref(root);
}

} // namespace msg_sim
