/*
 * Preferences of any package, for the platform's own tools; the
 * preference_* calls use the running application's package.
 */
#ifndef MSG_SERVICES_PREFERENCES_H
#define MSG_SERVICES_PREFERENCES_H

#include "SettingValue.h"

#include <string>
#include <utility>
#include <vector>

namespace msg_services {

class Preferences {
public:
    static bool isShared(const std::string& key);
    // The package whose preferences the running application uses.
    static std::string currentPackage();
    // PREFERENCE_ERROR_* codes.
    static int get(const std::string& package, const char* key, SettingValue& out);
    static int set(const std::string& package, const char* key, const SettingValue& value);
    static int remove(const std::string& package, const char* key);
    // The package's own keys followed by the shared ones.
    static std::vector<std::pair<std::string, SettingValue>> list(const std::string& package);
    static std::string topic(const std::string& package, const std::string& key);
};

} // namespace msg_services

#endif
