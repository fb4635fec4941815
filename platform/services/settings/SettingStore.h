/*
 * Typed key-value rows of the device, grouped by scope: the device settings
 * live in scope "vconf", each package's preferences in "pref:<package>". A
 * write that changes a value appends a notice on the caller's topic in the
 * same transaction, so every process hears of it on its main loop.
 */
#ifndef MSG_SERVICES_SETTINGSTORE_H
#define MSG_SERVICES_SETTINGSTORE_H

#include "SettingValue.h"

#include <string>
#include <utility>
#include <vector>

namespace msg_services {

class SettingStore {
public:
    enum class Result { Ok, NotFound, Failed };

    static Result read(const std::string& scope, const std::string& key, SettingValue& out);
    // Stores the value; the notice (payload: the encoded value) goes out only when the value changed.
    static bool write(const std::string& scope, const std::string& key, const SettingValue& value,
                      const std::string& topic);
    // Several values of one scope in one transaction; topicOf gives each key's topic.
    static bool writeAll(const std::string& scope,
                         const std::vector<std::pair<std::string, SettingValue>>& values,
                         std::string (*topicOf)(const std::string& key));
    // Removes the key; the notice carries an empty payload. NotFound when it was not stored.
    static Result remove(const std::string& scope, const std::string& key, const std::string& topic);
    static std::vector<std::pair<std::string, SettingValue>> list(const std::string& scope);
};

} // namespace msg_services

#endif
