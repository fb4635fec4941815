#include "Preferences.h"

#include "AppRegistry.h"
#include "SettingStore.h"
#include "device/Device.h"
#include "log/PlatformLog.h"
#include "preference.h"

#include <cstdlib>
#include <glib.h>
#include <mutex>

namespace msg_services {

namespace {

constexpr const char* kSharedPackage = "shared";

std::string scopeOf(const std::string& package, const std::string& key) {
    return "pref:" + (Preferences::isShared(key) ? std::string(kSharedPackage) : package);
}

int checkKey(const char* key) {
    PLAT_RETV_IF(!key || !*key, PREFERENCE_ERROR_INVALID_PARAMETER, "key is null or empty");
    PLAT_RETV_IF(std::char_traits<char>::length(key) > PREFERENCE_KEY_MAX, PREFERENCE_ERROR_INVALID_PARAMETER,
                 "key is too long");
    return PREFERENCE_ERROR_NONE;
}

int fromStore(SettingStore::Result result) {
    switch (result) {
    case SettingStore::Result::Ok:
        return PREFERENCE_ERROR_NONE;
    case SettingStore::Result::NotFound:
        return PREFERENCE_ERROR_NO_KEY;
    case SettingStore::Result::Failed:
        break;
    }
    return PREFERENCE_ERROR_IO_ERROR;
}

} // namespace

bool Preferences::isShared(const std::string& key) {
    return key.rfind("consumer_preference_", 0) == 0 || key.rfind("msg_bnr_", 0) == 0;
}

std::string Preferences::currentPackage() {
    // Looked up once per application id and device: every preference call needs it.
    static std::mutex mutex;
    static std::string cachedKey;
    static std::string cachedPackage;
    const char* env = std::getenv("MSG_APP_ID");
    msg_device::Device* device = msg_device::Device::getDefault();
    std::string key = std::string(env ? env : "") + "\n" + (device ? device->dir() : std::string());
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (key == cachedKey && !cachedPackage.empty())
            return cachedPackage;
    }
    std::string package = AppRegistry::packageOf(AppRegistry::currentAppId());
    std::lock_guard<std::mutex> lock(mutex);
    cachedKey = key;
    cachedPackage = package;
    return package;
}

std::string Preferences::topic(const std::string& package, const std::string& key) {
    return "preference/" + (isShared(key) ? std::string(kSharedPackage) : package) + "/" + key;
}

int Preferences::get(const std::string& package, const char* key, SettingValue& out) {
    if (int error = checkKey(key))
        return error;
    return fromStore(SettingStore::read(scopeOf(package, key), key, out));
}

int Preferences::set(const std::string& package, const char* key, const SettingValue& value) {
    if (int error = checkKey(key))
        return error;
    PLAT_RETV_IF(package.empty(), PREFERENCE_ERROR_INVALID_PARAMETER, "no package");
    if (value.type == ValueType::String) {
        PLAT_RETV_IF(value.text.size() > PREFERENCE_STRING_MAX, PREFERENCE_ERROR_INVALID_PARAMETER,
                     "value of %s is too long", key);
        PLAT_RETV_IF(!g_utf8_validate(value.text.data(), static_cast<gssize>(value.text.size()), nullptr),
                     PREFERENCE_ERROR_INVALID_PARAMETER, "value of %s is not UTF-8 text", key);
    }
    return SettingStore::write(scopeOf(package, key), key, value, topic(package, key))
               ? PREFERENCE_ERROR_NONE
               : PREFERENCE_ERROR_IO_ERROR;
}

int Preferences::remove(const std::string& package, const char* key) {
    if (int error = checkKey(key))
        return error;
    return fromStore(SettingStore::remove(scopeOf(package, key), key, topic(package, key)));
}

std::vector<std::pair<std::string, SettingValue>> Preferences::list(const std::string& package) {
    auto rows = SettingStore::list("pref:" + package);
    if (package != kSharedPackage) {
        auto shared = SettingStore::list(std::string("pref:") + kSharedPackage);
        rows.insert(rows.end(), shared.begin(), shared.end());
    }
    return rows;
}

} // namespace msg_services
