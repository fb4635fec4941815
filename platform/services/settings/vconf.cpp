#include "vconf.h"

#include "DeviceSettings.h"
#include "device/ChangeFeed.h"
#include "device/Device.h"
#include "log/PlatformLog.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <list>
#include <string>

using msg_services::DeviceSettings;
using msg_services::SettingValue;
using msg_services::ValueType;

struct keynode {
    std::string name;
    SettingValue value;
};

namespace {

struct Watch {
    std::string key;
    vconf_callback_fn cb;
    void* userData;
    msg_device::Device* device;
    uint64_t subscription;
};

// Main loop only, like the feed that serves it.
std::list<Watch>& watches() {
    static std::list<Watch> list;
    return list;
}

int getTyped(const char* key, ValueType type, SettingValue& out) {
    SettingValue value;
    if (int error = DeviceSettings::get(key, value))
        return error;
    PLAT_RETV_IF(value.type != type, VCONF_ERROR_WRONG_TYPE, "%s is not a %s", key,
                 msg_services::valueTypeName(type));
    out = value;
    return VCONF_OK;
}

} // namespace

extern "C" int vconf_get_int(const char* key, int* intval) {
    PLAT_RETV_IF(!intval, VCONF_ERROR_INVALID_PARAMETER, "intval is null");
    SettingValue value;
    int error = getTyped(key, ValueType::Int, value);
    if (error == VCONF_OK)
        *intval = value.asInt();
    return error;
}

extern "C" int vconf_get_bool(const char* key, int* boolval) {
    PLAT_RETV_IF(!boolval, VCONF_ERROR_INVALID_PARAMETER, "boolval is null");
    SettingValue value;
    int error = getTyped(key, ValueType::Bool, value);
    if (error == VCONF_OK)
        *boolval = value.asBool() ? 1 : 0;
    return error;
}

extern "C" int vconf_get_dbl(const char* key, double* dblval) {
    PLAT_RETV_IF(!dblval, VCONF_ERROR_INVALID_PARAMETER, "dblval is null");
    SettingValue value;
    int error = getTyped(key, ValueType::Double, value);
    if (error == VCONF_OK)
        *dblval = value.asDouble();
    return error;
}

extern "C" char* vconf_get_str(const char* key) {
    SettingValue value;
    if (getTyped(key, ValueType::String, value) != VCONF_OK)
        return nullptr;
    return strdup(value.text.c_str());
}

extern "C" int vconf_set_int(const char* key, int intval) {
    return DeviceSettings::set(key, SettingValue::ofInt(intval));
}

extern "C" int vconf_set_bool(const char* key, int boolval) {
    return DeviceSettings::set(key, SettingValue::ofBool(boolval != 0));
}

extern "C" int vconf_set_dbl(const char* key, double dblval) {
    PLAT_RETV_IF(!std::isfinite(dblval), VCONF_ERROR_WRONG_VALUE, "value is not a finite number");
    return DeviceSettings::set(key, SettingValue::ofDouble(dblval));
}

extern "C" int vconf_set_str(const char* key, const char* strval) {
    PLAT_RETV_IF(!strval, VCONF_ERROR_INVALID_PARAMETER, "strval is null");
    return DeviceSettings::set(key, SettingValue::ofString(strval));
}

extern "C" int vconf_notify_key_changed(const char* key, vconf_callback_fn cb, void* user_data) {
    PLAT_RETV_IF(!key || !*key, VCONF_ERROR_INVALID_PARAMETER, "key is null");
    PLAT_RETV_IF(!cb, VCONF_ERROR_INVALID_PARAMETER, "cb is null");
    PLAT_RETV_IF(DeviceSettings::typeOf(key) == ValueType::None, VCONF_ERROR_NO_ENTRY, "no setting %s", key);
    for (const auto& watch : watches()) {
        if (watch.key == key && watch.cb == cb && watch.userData == user_data)
            return VCONF_OK;
    }
    msg_device::Device* device = msg_device::Device::getDefault();
    PLAT_RETV_IF(!device, VCONF_ERROR, "no device");
    std::string name(key);
    uint64_t id = device->feed().subscribe(
        DeviceSettings::topic(name), [name, cb, user_data](const msg_device::Change& change) {
            keynode node{name, {}};
            if (!SettingValue::decode(change.payload, node.value)) {
                // A removed key falls back to its default, which is what readers see now.
                if (DeviceSettings::get(name.c_str(), node.value) != VCONF_OK)
                    return;
            }
            cb(&node, user_data);
        });
    PLAT_RETV_IF(id == 0, VCONF_ERROR, "cannot watch %s", key);
    watches().push_back({name, cb, user_data, device, id});
    return VCONF_OK;
}

extern "C" int vconf_ignore_key_changed(const char* key, vconf_callback_fn cb) {
    PLAT_RETV_IF(!key || !cb, VCONF_ERROR_INVALID_PARAMETER, "key or cb is null");
    bool found = false;
    msg_device::Device* current = msg_device::Device::getDefault();
    for (auto it = watches().begin(); it != watches().end();) {
        if (it->key == key && it->cb == cb) {
            // A device closed since then took its subscriptions with it.
            if (it->device == current)
                current->feed().unsubscribe(it->subscription);
            it = watches().erase(it);
            found = true;
        } else {
            ++it;
        }
    }
    return found ? VCONF_OK : VCONF_ERROR_NO_ENTRY;
}

extern "C" const char* vconf_keynode_get_name(keynode_t* node) {
    return node ? node->name.c_str() : nullptr;
}

extern "C" int vconf_keynode_get_type(keynode_t* node) {
    return node ? static_cast<int>(node->value.type) : VCONF_TYPE_NONE;
}

extern "C" int vconf_keynode_get_int(keynode_t* node) {
    return node && node->value.type == ValueType::Int ? node->value.asInt() : 0;
}

extern "C" int vconf_keynode_get_bool(keynode_t* node) {
    return node && node->value.type == ValueType::Bool && node->value.asBool() ? 1 : 0;
}

extern "C" double vconf_keynode_get_dbl(keynode_t* node) {
    return node && node->value.type == ValueType::Double ? node->value.asDouble() : 0.0;
}

extern "C" const char* vconf_keynode_get_str(keynode_t* node) {
    return node && node->value.type == ValueType::String ? node->value.text.c_str() : nullptr;
}
