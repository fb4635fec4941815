#include "DeviceSettings.h"

#include "SettingDefaults.h"
#include "SettingStore.h"
#include "log/PlatformLog.h"
#include "vconf.h"

#include <glib.h>
#include <map>

namespace msg_services {

namespace {

constexpr const char* kScope = "vconf";

bool hasKnownPrefix(const std::string& key) {
    for (const char* prefix : {"db/", "memory/", "memory_init/", "file/"}) {
        std::string p(prefix);
        if (key.size() > p.size() && key.compare(0, p.size(), p) == 0)
            return true;
    }
    return false;
}

int checkKey(const char* key) {
    PLAT_RETV_IF(!key || !*key, VCONF_ERROR_INVALID_PARAMETER, "key is null or empty");
    PLAT_RETV_IF(std::char_traits<char>::length(key) > VCONF_KEY_MAX, VCONF_ERROR_INVALID_PARAMETER,
                 "key is too long");
    PLAT_RETV_IF(!hasKnownPrefix(key), VCONF_ERROR_WRONG_PREFIX, "unknown key prefix: %s", key);
    return VCONF_OK;
}

int checkValue(const char* key, const SettingValue& value) {
    if (value.type == ValueType::String) {
        PLAT_RETV_IF(value.text.size() > VCONF_STRING_MAX, VCONF_ERROR_WRONG_VALUE, "value of %s is too long",
                     key);
        PLAT_RETV_IF(!g_utf8_validate(value.text.data(), static_cast<gssize>(value.text.size()), nullptr) ||
                         value.text.find('\0') != std::string::npos,
                     VCONF_ERROR_WRONG_VALUE, "value of %s is not UTF-8 text", key);
    }
    ValueType known = DeviceSettings::typeOf(key);
    PLAT_RETV_IF(known != ValueType::None && known != value.type, VCONF_ERROR_WRONG_TYPE,
                 "%s is a %s, not a %s", key, valueTypeName(known), valueTypeName(value.type));
    return VCONF_OK;
}

} // namespace

std::string DeviceSettings::topic(const std::string& key) {
    return "vconf/" + key;
}

ValueType DeviceSettings::typeOf(const std::string& key) {
    SettingValue stored;
    if (SettingStore::read(kScope, key, stored) == SettingStore::Result::Ok)
        return stored.type;
    const SettingDefault* def = SettingDefaults::find(key);
    return def ? def->value.type : ValueType::None;
}

int DeviceSettings::get(const char* key, SettingValue& out) {
    if (int error = checkKey(key))
        return error;
    SettingValue value;
    switch (SettingStore::read(kScope, key, value)) {
    case SettingStore::Result::Ok:
        out = value;
        return VCONF_OK;
    case SettingStore::Result::Failed:
        return VCONF_ERROR;
    case SettingStore::Result::NotFound:
        break;
    }
    const SettingDefault* def = SettingDefaults::find(key);
    if (!def) {
        PLAT_LOGD("no setting %s", key);
        return VCONF_ERROR_NO_ENTRY;
    }
    out = def->value;
    return VCONF_OK;
}

int DeviceSettings::set(const char* key, const SettingValue& value) {
    if (int error = checkKey(key))
        return error;
    if (int error = checkValue(key, value))
        return error;
    return SettingStore::write(kScope, key, value, topic(key)) ? VCONF_OK : VCONF_ERROR;
}

int DeviceSettings::setAll(const std::vector<std::pair<std::string, SettingValue>>& values) {
    for (const auto& [key, value] : values) {
        if (int error = checkKey(key.c_str()))
            return error;
        if (int error = checkValue(key.c_str(), value))
            return error;
    }
    return SettingStore::writeAll(kScope, values, &DeviceSettings::topic) ? VCONF_OK : VCONF_ERROR;
}

int DeviceSettings::getInt(const char* key, int fallback) {
    SettingValue value;
    return get(key, value) == VCONF_OK && value.type == ValueType::Int ? value.asInt() : fallback;
}

bool DeviceSettings::getBool(const char* key, bool fallback) {
    SettingValue value;
    return get(key, value) == VCONF_OK && value.type == ValueType::Bool ? value.asBool() : fallback;
}

std::string DeviceSettings::getString(const char* key, const std::string& fallback) {
    SettingValue value;
    return get(key, value) == VCONF_OK && value.type == ValueType::String ? value.text : fallback;
}

std::vector<std::pair<std::string, SettingValue>> DeviceSettings::list() {
    std::map<std::string, SettingValue> merged;
    for (const auto& def : SettingDefaults::all())
        merged[def.key] = def.value;
    for (auto& [key, value] : SettingStore::list(kScope))
        merged[key] = value;
    return {merged.begin(), merged.end()};
}

} // namespace msg_services
