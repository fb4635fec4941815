#include "common/CommonUtilDevice.h"

#include "app_common.h"
#include "capability_manager.h"
#include "common/CommonHosts.h"
#include "common/LaunchRequest.h"
#include "common/MsgLog.h"
#include "common/Preference.h"
#include "mdm.h"
#include "package_manager.h"
#include "qel.h"
#include "system_info.h"
#include "vconf.h"
#include "zeq_feature.h"

#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <memory>
#include <string>

namespace msg_app {
namespace common_util {

namespace {

constexpr const char* VCONFKEY_ZEQ_SALESCODE = "db/zeq/salescode";
constexpr const char* VCONFKEY_ZEQ_COUNTRY_ISO = "db/zeq/country_iso";
constexpr const char* VCONFKEY_RETAIL_MODE = "db/retailmode/enabled";
constexpr const char* VCONFKEY_PSMODE = "db/setting/psmode";
constexpr const char* VCONFKEY_STANDALONE = "db/setup_wizard/standalone";
constexpr const char* VCONFKEY_TTS = "db/setting/accessibility/tts";
constexpr const char* VCONFKEY_REGION_FORMAT = "db/menu_widget/regionformat";
constexpr const char* VCONFKEY_LANGUAGE = "db/menu_widget/language";

constexpr int kPowerSavingModeOn = 4;
constexpr int kZeqMapService = 12;
constexpr size_t kZeqStringSize = 128;
constexpr int kNotRead = -1;

const std::string kFeatureTelephony = "http://orvex.org/feature/network.telephony";
const std::string kFeatureMdm = std::string("http://") + hosts::kDeveloper + "/orvex/feature/mdm";

// A setting string, or false when the key cannot be read.
bool readString(const char* key, std::string& out) {
    char* value = vconf_get_str(key);
    if (!value)
        return false;
    out = value;
    std::free(value);
    return true;
}

int readInt(const char* key, int fallback) {
    int value = fallback;
    if (vconf_get_int(key, &value) != VCONF_OK)
        return fallback;
    return value;
}

bool readFeature(const std::string& key) {
    bool value = false;
    int ret = key.find(hosts::kDeveloper) != std::string::npos
                  ? system_info_get_custom_bool(key.c_str(), &value)
                  : system_info_get_platform_bool(key.c_str(), &value);
    if (ret != SYSTEM_INFO_ERROR_NONE) {
        MSG_LOGE("system_info_get_platform_bool() failed(%d).", ret);
        return false;
    }
    return value;
}

bool cachedFeature(int& cache, const std::string& key) {
    if (cache == kNotRead)
        cache = readFeature(key) ? 1 : 0;
    return cache == 1;
}

bool startsWithRtlLanguage(const std::string& locale) {
    for (const char* prefix : {"ar", "he", "ur", "fa"}) {
        if (locale.compare(0, 2, prefix) == 0)
            return true;
    }
    return false;
}

} // namespace

bool get_sales_code(std::string& out) {
    MSG_RETV_IF(!readString(VCONFKEY_ZEQ_SALESCODE, out), false,
                "vconf_get_str(VCONFKEY_ZEQ_SALESCODE) is failed.");
    return true;
}

bool get_country_iso(std::string& out) {
    MSG_RETV_IF(!readString(VCONFKEY_ZEQ_COUNTRY_ISO, out), false,
                "vconf_get_str(VCONFKEY_ZEQ_COUNTRY_ISO) is failed.");
    return true;
}

bool is_device_feature_supported(const char* feature) {
    MSG_RETV_IF(!feature, false, "deviceFeature is nullptr");
    capability_manager_h manager = nullptr;
    int ret = capability_manager_create(&manager);
    // Without a record nothing says the feature is missing.
    MSG_RETV_IF(ret != CAPABILITY_MANAGER_ERROR_NONE, true, "capability_manager_create() is failed(%d)", ret);

    char* value = nullptr;
    capability_manager_get_value_str(manager, feature, &value);
    bool supported = !value || std::strcmp(value, "false") != 0;
    if (supported)
        MSG_LOGD("support messaging : [%s]", value ? value : "");
    else
        MSG_LOGW("Not support messaging : [%s]", value);
    std::free(value);
    capability_manager_destroy(manager);
    return supported;
}

bool is_sta_enabled() {
    static int cache = kNotRead;
    return cachedFeature(cache, kFeatureTelephony);
}

bool is_mdm_enabled() {
    static int cache = kNotRead;
    return cachedFeature(cache, kFeatureMdm);
}

bool is_mdm_text_messaging_restricted() {
    mdm_result_t ret = mdm_get_service();
    if (ret != MDM_RESULT_SUCCESS) {
        MSG_LOGW("mdm_get_service() is failed : %d", ret);
        return false;
    }
    mdm_status_t peer = mdm_get_allow_text_messaging("*");
    mdm_status_t ownSim = mdm_get_allow_text_messaging("SIM1");
    mdm_release_service();
    MSG_LOGD("mdm_peer[%d], mdm_hulm_sim[%d] [0:MDM_ALLOWED, 1:MDM_RESTRICTED]", peer, ownSim);
    return peer == MDM_RESTRICTED || ownSim == MDM_RESTRICTED;
}

bool is_retail_mode_enabled() {
    return readInt(VCONFKEY_RETAIL_MODE, 0) != 0;
}

bool is_power_saving_mode() {
    return readInt(VCONFKEY_PSMODE, 0) == kPowerSavingModeOn;
}

bool is_wpc_mode() {
    return readInt(VCONFKEY_STANDALONE, 0) != 0;
}

bool is_screen_reader_enabled() {
    if (qel_access_is_accessibility_enabled())
        return true;
    int tts = 0;
    return vconf_get_bool(VCONFKEY_TTS, &tts) == VCONF_OK && tts;
}

bool is_consumer_connected() {
    int status = 0;
    return preference::get(preference::KEY_PEER_CONNECTION_STATUS, &status) && status == 1;
}

bool is_main_app() {
    char* id = nullptr;
    if (app_get_id(&id) != APP_ERROR_NONE || !id)
        return false;
    bool main = std::strcmp(id, MAIN_APP_ID) == 0;
    std::free(id);
    return main;
}

bool is_browser_available() {
    bool available = true;
    for (const char* uri : {"http://", "https://"}) {
        LaunchRequest control = createLaunchRequest();
        if (!control) {
            MSG_LOGE("app_control_create() is failed");
            return false;
        }
        app_control_set_operation(control.get(), APP_CONTROL_OPERATION_VIEW);
        app_control_set_uri(control.get(), uri);
        bool matched = false;
        app_control_foreach_app_matched(
            control.get(),
            [](app_control_h, const char*, void* data) {
                *static_cast<bool*>(data) = true;
                return false;
            },
            &matched);
        available = available && matched;
    }
    return available;
}

bool is_web_engine_available() {
    // The engine does not come or go while the application runs.
    static const bool available = [] {
        void* engine = dlopen(WEB_ENGINE_LIBRARY, RTLD_LAZY);
        if (engine)
            dlclose(engine);
        MSG_LOGD("web engine available [%d]", engine != nullptr);
        return engine != nullptr;
    }();
    return available;
}

bool is_package_enabled(const char* pkgId) {
    MSG_RETV_IF(!pkgId, false, "pkgId is null");
    package_info_h info = nullptr;
    if (package_info_create(pkgId, &info) != PACKAGE_MANAGER_ERROR_NONE)
        return false;
    package_info_destroy(info);
    return true;
}

int get_map_type() {
    char map[kZeqStringSize] = "";
    if (zeq_feature_get_str(kZeqMapService, map, sizeof(map)) != ZEQ_FEATURE_ERROR_NONE) {
        MSG_LOGD("zeq_feature_get_str() failed");
        return 0;
    }
    MSG_LOGD("map [%s]", map);
    return std::strcmp(map, "here") == 0 ? 1 : 0;
}

bool is_rtl_supported(RTLCheckType type) {
    const char* key = VCONFKEY_LANGUAGE;
    if (type == REGION_FORMAT) {
        key = VCONFKEY_REGION_FORMAT;
    } else if (type != LANGUAGE) {
        MSG_LOGE("Invalid type [%d]", static_cast<int>(type));
    }
    std::string locale;
    if (!readString(key, locale) || !startsWithRtlLanguage(locale))
        return false;
    MSG_LOGD("(%s) supports RTL", locale.c_str());
    return true;
}

} // namespace common_util
} // namespace msg_app
