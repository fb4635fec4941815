#include "SimSettingsOutput.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace msg_sim {

using msg_services::SettingValue;
using msg_services::ValueType;

void printJson(JsonNode* node) {
    JsonGenerator* generator = json_generator_new();
    json_generator_set_pretty(generator, TRUE);
    json_generator_set_root(generator, node);
    gchar* text = json_generator_to_data(generator, nullptr);
    std::printf("%s\n", text);
    g_free(text);
    g_object_unref(generator);
    json_node_unref(node);
}

void addJsonValue(JsonBuilder* builder, const SettingValue& value) {
    switch (value.type) {
    case ValueType::Int:
        json_builder_add_int_value(builder, value.asInt());
        break;
    case ValueType::Bool:
        json_builder_add_boolean_value(builder, value.asBool());
        break;
    case ValueType::Double:
        json_builder_add_double_value(builder, value.asDouble());
        break;
    case ValueType::String:
    case ValueType::None:
        json_builder_add_string_value(builder, value.text.c_str());
        break;
    }
}

std::string displayValue(const SettingValue& value) {
    switch (value.type) {
    case ValueType::Bool:
        return value.asBool() ? "true" : "false";
    case ValueType::String:
        return "\"" + value.text + "\"";
    default:
        return value.text;
    }
}

bool parseCommandValue(const std::string& text, const std::string& typeName, ValueType fallback,
                       SettingValue& out, std::string& error) {
    ValueType type = fallback;
    if (!typeName.empty()) {
        type = msg_services::valueTypeFromName(typeName);
        if (type == ValueType::None) {
            error = "unknown type " + typeName + " (int, bool, double, string)";
            return false;
        }
    }
    if (type == ValueType::None) {
        // Guess: a boolean word, then an integer, then a number, else text.
        bool word = text == "true" || text == "false" || text == "on" || text == "off";
        if ((word && SettingValue::parse(ValueType::Bool, text, out)) ||
            SettingValue::parse(ValueType::Int, text, out) ||
            SettingValue::parse(ValueType::Double, text, out))
            return true;
        out = SettingValue::ofString(text);
        return true;
    }
    if (!SettingValue::parse(type, text, out)) {
        error = "'" + text + "' is not of type " + msg_services::valueTypeName(type);
        return false;
    }
    return true;
}

bool parseCount(const std::string& text, long long& out) {
    errno = 0;
    char* end = nullptr;
    long long value = std::strtoll(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno != 0 || value < 0)
        return false;
    out = value;
    return true;
}

} // namespace msg_sim
