/*
 * Device and policy queries: capabilities, modes and settings, read from the platform.
 */
#ifndef MSG_APP_COMMON_COMMONUTILDEVICE_H
#define MSG_APP_COMMON_COMMONUTILDEVICE_H

#include "common/AppIds.h"

#include <string>

namespace msg_app {
namespace common_util {

enum RTLCheckType {
    REGION_FORMAT = 0,
    LANGUAGE = 1,
};

constexpr const char* MAIN_APP_ID = app_id::MESSAGE;

// Outputs are left unchanged on failure.
bool get_sales_code(std::string& out);
bool get_country_iso(std::string& out);
// False only when the capability record says "false" for the feature.
bool is_device_feature_supported(const char* feature);
// Whether the watch has its own telephony ("stand-alone"); read once.
bool is_sta_enabled();
// Whether device management is present; read once.
bool is_mdm_enabled();
bool is_mdm_text_messaging_restricted();
bool is_retail_mode_enabled();
bool is_power_saving_mode();
bool is_wpc_mode();
bool is_screen_reader_enabled();
bool is_consumer_connected();
bool is_main_app();
bool is_browser_available();
// The platform's web engine, which web views load at run time; whether it is on the watch.
constexpr const char* WEB_ENGINE_LIBRARY = "libewebkit2.so";
bool is_web_engine_available();
bool is_package_enabled(const char* pkgId);
// 1 when the carrier's map service is "here", else 0.
int get_map_type();
bool is_rtl_supported(RTLCheckType type);

} // namespace common_util
} // namespace msg_app

#endif
