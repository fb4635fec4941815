// system_info_*, capability_manager_* and zeq_feature_*: three views of the feature store.
#include "FeatureStore.h"
#include "capability_manager.h"
#include "log/PlatformLog.h"
#include "system_info.h"
#include "zeq_feature.h"

#include <cstring>
#include <map>
#include <string>

using msg_services::Feature;
using msg_services::FeatureKind;
using msg_services::FeatureStore;

namespace {

int readSwitch(const char* key, bool* value, FeatureKind kind) {
    PLAT_RETV_IF(!key || !value, SYSTEM_INFO_ERROR_INVALID_PARAMETER, "key or value is null");
    std::string path = FeatureStore::normalize(key);
    PLAT_RETV_IF(path.empty() || FeatureStore::kindOf(path) != kind, SYSTEM_INFO_ERROR_INVALID_PARAMETER,
                 "%s is not a %s feature", key, FeatureStore::kindName(kind));
    Feature feature;
    PLAT_RETV_IF(!FeatureStore::get(path, feature) || !feature.isSwitch, SYSTEM_INFO_ERROR_INVALID_PARAMETER,
                 "no feature %s", key);
    *value = feature.value == "1";
    return SYSTEM_INFO_ERROR_NONE;
}

} // namespace

struct capability_manager_s {
    std::map<std::string, std::string> values;
};

extern "C" int system_info_get_platform_bool(const char* key, bool* value) {
    return readSwitch(key, value, FeatureKind::Platform);
}

extern "C" int system_info_get_custom_bool(const char* key, bool* value) {
    return readSwitch(key, value, FeatureKind::Custom);
}

extern "C" int capability_manager_create(capability_manager_h* manager) {
    PLAT_RETV_IF(!manager, CAPABILITY_MANAGER_ERROR_INVALID_PARAMETER, "manager is null");
    auto* record = new capability_manager_s();
    for (const Feature& feature : FeatureStore::all()) {
        if (feature.kind == FeatureKind::Capability)
            record->values[feature.name.substr(std::strlen("capability/"))] = feature.value;
    }
    *manager = record;
    return CAPABILITY_MANAGER_ERROR_NONE;
}

extern "C" int capability_manager_destroy(capability_manager_h manager) {
    PLAT_RETV_IF(!manager, CAPABILITY_MANAGER_ERROR_INVALID_PARAMETER, "manager is null");
    delete manager;
    return CAPABILITY_MANAGER_ERROR_NONE;
}

extern "C" int capability_manager_get_value_str(capability_manager_h manager, const char* capability,
                                                char** value) {
    PLAT_RETV_IF(!manager || !capability || !value, CAPABILITY_MANAGER_ERROR_INVALID_PARAMETER,
                 "argument is null");
    auto it = manager->values.find(capability);
    if (it == manager->values.end())
        return CAPABILITY_MANAGER_ERROR_NO_DATA;
    *value = strdup(it->second.c_str());
    return CAPABILITY_MANAGER_ERROR_NONE;
}

extern "C" bool zeq_feature_get_bool(int feature) {
    Feature f;
    return feature >= 0 && FeatureStore::get("zeq/" + std::to_string(feature), f) && f.isSwitch &&
           f.value == "1";
}

extern "C" int zeq_feature_get_str(int feature, char* buffer, size_t size) {
    PLAT_RETV_IF(feature < 0 || !buffer || size == 0, ZEQ_FEATURE_ERROR_INVALID_PARAMETER, "bad argument");
    Feature f;
    if (!FeatureStore::get("zeq/" + std::to_string(feature), f) || f.isSwitch)
        return ZEQ_FEATURE_ERROR_NO_DATA;
    PLAT_RETV_IF(f.value.size() + 1 > size, ZEQ_FEATURE_ERROR_BUFFER_TOO_SMALL, "zeq %d needs %zu bytes",
                 feature, f.value.size() + 1);
    std::memcpy(buffer, f.value.c_str(), f.value.size() + 1);
    return ZEQ_FEATURE_ERROR_NONE;
}
