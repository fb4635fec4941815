/*
 * One typed value of the device's settings or of an application's
 * preferences, kept as text in the device database and in change notices.
 */
#ifndef MSG_SERVICES_SETTINGVALUE_H
#define MSG_SERVICES_SETTINGVALUE_H

#include <string>

namespace msg_services {

enum class ValueType { None = 0, Int = 1, Bool = 2, Double = 3, String = 4 };

struct SettingValue {
    ValueType type = ValueType::None;
    std::string text;

    static SettingValue ofInt(int value);
    static SettingValue ofBool(bool value);
    static SettingValue ofDouble(double value);
    static SettingValue ofString(const std::string& value);
    // Reads "VALUE" as the given type; false when the text is not of that type.
    static bool parse(ValueType type, const std::string& text, SettingValue& out);

    int asInt() const;
    bool asBool() const;
    double asDouble() const;

    // "i:5", "b:1", "d:2.5", "s:text": the payload of a change notice.
    std::string encode() const;
    static bool decode(const std::string& payload, SettingValue& out);

    bool operator==(const SettingValue& other) const { return type == other.type && text == other.text; }
    bool operator!=(const SettingValue& other) const { return !(*this == other); }
};

const char* valueTypeName(ValueType type);
// "int", "bool", "double", "string"; None when the name is unknown.
ValueType valueTypeFromName(const std::string& name);

} // namespace msg_services

#endif
