/*
 * Typed access to the device settings for the platform's own services:
 * the stored value, else the default, with the checks every setter applies.
 */
#ifndef MSG_SERVICES_DEVICESETTINGS_H
#define MSG_SERVICES_DEVICESETTINGS_H

#include "SettingValue.h"

#include <string>
#include <utility>
#include <vector>

namespace msg_services {

class DeviceSettings {
public:
    // vconf's error codes: VCONF_OK, VCONF_ERROR_NO_ENTRY for an unknown key, ...
    static int get(const char* key, SettingValue& out);
    // Refuses a bad key, a type other than the key's, an oversized or invalid string.
    static int set(const char* key, const SettingValue& value);
    // Several keys at once, all or nothing.
    static int setAll(const std::vector<std::pair<std::string, SettingValue>>& values);
    // The key's type: the stored one, else the default's; None when unknown.
    static ValueType typeOf(const std::string& key);

    static int getInt(const char* key, int fallback);
    static bool getBool(const char* key, bool fallback);
    static std::string getString(const char* key, const std::string& fallback);

    static std::string topic(const std::string& key);
    // Every key with a stored value or a default, in key order, with its current value.
    static std::vector<std::pair<std::string, SettingValue>> list();
};

} // namespace msg_services

#endif
