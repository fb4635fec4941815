#include "SettingValue.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace msg_services {

namespace {

bool parseInt(const std::string& text, int& out) {
    if (text.empty())
        return false;
    errno = 0;
    char* end = nullptr;
    long value = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || value < INT_MIN || value > INT_MAX)
        return false;
    out = static_cast<int>(value);
    return true;
}

bool parseDouble(const std::string& text, double& out) {
    if (text.empty())
        return false;
    errno = 0;
    char* end = nullptr;
    double value = std::strtod(text.c_str(), &end);
    if (errno != 0 || *end != '\0' || !std::isfinite(value))
        return false;
    out = value;
    return true;
}

} // namespace

SettingValue SettingValue::ofInt(int value) {
    return {ValueType::Int, std::to_string(value)};
}

SettingValue SettingValue::ofBool(bool value) {
    return {ValueType::Bool, value ? "1" : "0"};
}

SettingValue SettingValue::ofDouble(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof(buffer), "%.17g", value);
    return {ValueType::Double, buffer};
}

SettingValue SettingValue::ofString(const std::string& value) {
    return {ValueType::String, value};
}

bool SettingValue::parse(ValueType type, const std::string& text, SettingValue& out) {
    switch (type) {
    case ValueType::Int: {
        int value = 0;
        if (!parseInt(text, value))
            return false;
        out = ofInt(value);
        return true;
    }
    case ValueType::Bool:
        if (text == "1" || text == "true" || text == "on") {
            out = ofBool(true);
            return true;
        }
        if (text == "0" || text == "false" || text == "off") {
            out = ofBool(false);
            return true;
        }
        return false;
    case ValueType::Double: {
        double value = 0;
        if (!parseDouble(text, value))
            return false;
        out = ofDouble(value);
        return true;
    }
    case ValueType::String:
        out = ofString(text);
        return true;
    case ValueType::None:
        break;
    }
    return false;
}

int SettingValue::asInt() const {
    int value = 0;
    return parseInt(text, value) ? value : 0;
}

bool SettingValue::asBool() const {
    return text == "1";
}

double SettingValue::asDouble() const {
    double value = 0;
    return parseDouble(text, value) ? value : 0.0;
}

std::string SettingValue::encode() const {
    static const char letters[] = "-ibds";
    return std::string(1, letters[static_cast<int>(type)]) + ":" + text;
}

bool SettingValue::decode(const std::string& payload, SettingValue& out) {
    if (payload.size() < 2 || payload[1] != ':')
        return false;
    static const struct {
        char letter;
        ValueType type;
    } kinds[] = {
        {'i', ValueType::Int}, {'b', ValueType::Bool}, {'d', ValueType::Double}, {'s', ValueType::String}};
    for (const auto& kind : kinds) {
        if (payload[0] == kind.letter)
            return parse(kind.type, payload.substr(2), out);
    }
    return false;
}

const char* valueTypeName(ValueType type) {
    switch (type) {
    case ValueType::Int:
        return "int";
    case ValueType::Bool:
        return "bool";
    case ValueType::Double:
        return "double";
    case ValueType::String:
        return "string";
    case ValueType::None:
        break;
    }
    return "none";
}

ValueType valueTypeFromName(const std::string& name) {
    for (ValueType type : {ValueType::Int, ValueType::Bool, ValueType::Double, ValueType::String}) {
        if (name == valueTypeName(type))
            return type;
    }
    return ValueType::None;
}

} // namespace msg_services
