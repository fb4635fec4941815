/*
 * Named device situations that set many settings, features and shared
 * preferences at once, so that each branch of the application can be
 * reached by hand (`msg-sim profile NAME`).
 */
#ifndef MSG_SERVICES_DEVICEPROFILES_H
#define MSG_SERVICES_DEVICEPROFILES_H

#include "SettingValue.h"

#include <string>
#include <utility>
#include <vector>

namespace msg_services {

struct DeviceProfile {
    std::string name;
    std::string summary;
    std::vector<std::pair<std::string, SettingValue>> settings;
    std::vector<std::pair<std::string, std::string>> features;
    std::vector<std::pair<std::string, SettingValue>> sharedPreferences;
};

class DeviceProfiles {
public:
    static const std::vector<DeviceProfile>& all();
    static const DeviceProfile* find(const std::string& name);
    // False, with the reason, when the profile is unknown or a value could not be stored.
    static bool apply(const std::string& name, std::string* error);
};

} // namespace msg_services

#endif
