#include "preference.h"

#include "Preferences.h"
#include "device/ChangeFeed.h"
#include "device/Device.h"
#include "log/PlatformLog.h"

#include <cmath>
#include <cstring>
#include <map>
#include <string>

using msg_services::Preferences;
using msg_services::SettingValue;
using msg_services::ValueType;

namespace {

struct Watch {
    preference_changed_cb cb;
    void* userData;
    msg_device::Device* device;
    uint64_t subscription;
};

// Main loop only, like the feed that serves it.
std::map<std::string, Watch>& watches() {
    static std::map<std::string, Watch> map;
    return map;
}

int setValue(const char* key, const SettingValue& value) {
    return Preferences::set(Preferences::currentPackage(), key, value);
}

int getTyped(const char* key, ValueType type, SettingValue& out) {
    SettingValue value;
    if (int error = Preferences::get(Preferences::currentPackage(), key, value))
        return error;
    PLAT_RETV_IF(value.type != type, PREFERENCE_ERROR_INVALID_PARAMETER, "%s is a %s, not a %s", key,
                 msg_services::valueTypeName(value.type), msg_services::valueTypeName(type));
    out = value;
    return PREFERENCE_ERROR_NONE;
}

void unwatch(const std::string& key) {
    auto it = watches().find(key);
    if (it == watches().end())
        return;
    // A device closed since then took its subscriptions with it.
    if (it->second.device == msg_device::Device::getDefault())
        it->second.device->feed().unsubscribe(it->second.subscription);
    watches().erase(it);
}

} // namespace

extern "C" int preference_set_int(const char* key, int value) {
    return setValue(key, SettingValue::ofInt(value));
}

extern "C" int preference_get_int(const char* key, int* value) {
    PLAT_RETV_IF(!value, PREFERENCE_ERROR_INVALID_PARAMETER, "value is null");
    SettingValue stored;
    int error = getTyped(key, ValueType::Int, stored);
    if (error == PREFERENCE_ERROR_NONE)
        *value = stored.asInt();
    return error;
}

extern "C" int preference_set_double(const char* key, double value) {
    PLAT_RETV_IF(!std::isfinite(value), PREFERENCE_ERROR_INVALID_PARAMETER, "value is not a finite number");
    return setValue(key, SettingValue::ofDouble(value));
}

extern "C" int preference_get_double(const char* key, double* value) {
    PLAT_RETV_IF(!value, PREFERENCE_ERROR_INVALID_PARAMETER, "value is null");
    SettingValue stored;
    int error = getTyped(key, ValueType::Double, stored);
    if (error == PREFERENCE_ERROR_NONE)
        *value = stored.asDouble();
    return error;
}

extern "C" int preference_set_string(const char* key, const char* value) {
    PLAT_RETV_IF(!value, PREFERENCE_ERROR_INVALID_PARAMETER, "value is null");
    return setValue(key, SettingValue::ofString(value));
}

extern "C" int preference_get_string(const char* key, char** value) {
    PLAT_RETV_IF(!value, PREFERENCE_ERROR_INVALID_PARAMETER, "value is null");
    SettingValue stored;
    int error = getTyped(key, ValueType::String, stored);
    if (error == PREFERENCE_ERROR_NONE)
        *value = strdup(stored.text.c_str());
    return error;
}

extern "C" int preference_set_boolean(const char* key, bool value) {
    return setValue(key, SettingValue::ofBool(value));
}

extern "C" int preference_get_boolean(const char* key, bool* value) {
    PLAT_RETV_IF(!value, PREFERENCE_ERROR_INVALID_PARAMETER, "value is null");
    SettingValue stored;
    int error = getTyped(key, ValueType::Bool, stored);
    if (error == PREFERENCE_ERROR_NONE)
        *value = stored.asBool();
    return error;
}

extern "C" int preference_remove(const char* key) {
    return Preferences::remove(Preferences::currentPackage(), key);
}

extern "C" int preference_is_existing(const char* key, bool* existing) {
    PLAT_RETV_IF(!existing, PREFERENCE_ERROR_INVALID_PARAMETER, "existing is null");
    SettingValue stored;
    int error = Preferences::get(Preferences::currentPackage(), key, stored);
    if (error == PREFERENCE_ERROR_NONE || error == PREFERENCE_ERROR_NO_KEY) {
        *existing = error == PREFERENCE_ERROR_NONE;
        return PREFERENCE_ERROR_NONE;
    }
    return error;
}

extern "C" int preference_remove_all(void) {
    std::string package = Preferences::currentPackage();
    for (const auto& [key, value] : Preferences::list(package)) {
        if (Preferences::isShared(key))
            continue;
        int error = Preferences::remove(package, key.c_str());
        if (error != PREFERENCE_ERROR_NONE && error != PREFERENCE_ERROR_NO_KEY)
            return error;
    }
    return PREFERENCE_ERROR_NONE;
}

extern "C" int preference_set_changed_cb(const char* key, preference_changed_cb callback, void* user_data) {
    PLAT_RETV_IF(!key || !*key || !callback, PREFERENCE_ERROR_INVALID_PARAMETER, "key or callback is null");
    msg_device::Device* device = msg_device::Device::getDefault();
    PLAT_RETV_IF(!device, PREFERENCE_ERROR_IO_ERROR, "no device");
    std::string name(key);
    unwatch(name);
    uint64_t id = device->feed().subscribe(Preferences::topic(Preferences::currentPackage(), name),
                                           [name](const msg_device::Change&) {
                                               auto it = watches().find(name);
                                               if (it != watches().end())
                                                   it->second.cb(name.c_str(), it->second.userData);
                                           });
    PLAT_RETV_IF(id == 0, PREFERENCE_ERROR_IO_ERROR, "cannot watch %s", key);
    watches()[name] = {callback, user_data, device, id};
    return PREFERENCE_ERROR_NONE;
}

extern "C" int preference_unset_changed_cb(const char* key) {
    PLAT_RETV_IF(!key, PREFERENCE_ERROR_INVALID_PARAMETER, "key is null");
    PLAT_RETV_IF(!watches().count(key), PREFERENCE_ERROR_NO_KEY, "no callback for %s", key);
    unwatch(key);
    return PREFERENCE_ERROR_NONE;
}
