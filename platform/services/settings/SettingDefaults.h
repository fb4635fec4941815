/*
 * The values a fresh device reports for every setting the application
 * reads: a watch paired over Bluetooth with a phone of the maker, without
 * its own SIM. A stored value always wins over its default.
 */
#ifndef MSG_SERVICES_SETTINGDEFAULTS_H
#define MSG_SERVICES_SETTINGDEFAULTS_H

#include "SettingValue.h"

#include <string>
#include <vector>

namespace msg_services {

struct SettingDefault {
    const char* key;
    SettingValue value;
    const char* meaning;
};

class SettingDefaults {
public:
    static const std::vector<SettingDefault>& all();
    // Null when the key has no default.
    static const SettingDefault* find(const std::string& key);
};

} // namespace msg_services

#endif
