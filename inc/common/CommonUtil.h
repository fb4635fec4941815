/*
 * Stateless helpers every screen leans on: phone-number and bidirectional
 * text functions, web-link matchers, device and policy queries, launch
 * request accessors, resource paths and the application's start and stop.
 */
#ifndef MSG_APP_COMMON_COMMONUTIL_H
#define MSG_APP_COMMON_COMMONUTIL_H

#include "app_control.h"
#include "common/AppIds.h"

#include <string>

namespace msg_app {
namespace common_util {

enum RTLCheckType {
    REGION_FORMAT = 0,
    LANGUAGE = 1,
};

enum CallerAppType {
    CALLER_APP_PRELOADED = 0,
    CALLER_APP_NOT_PRELOADED = 1,
    CALLER_APP_UNKNOWN = 2,
};

constexpr const char* MAIN_APP_ID = app_id::MESSAGE;

// ---- Start and stop -----------------------------------------------------

// Connects the message store and follows its consumer status: 0 disconnects, anything else
// reconnects and announces that the store is ready.
void connect_msg_store();
// The application's single teardown call.
void on_terminate();
// Replaces the log tag (null restores the default).
void set_debug_tag(const char* tag);

// ---- Device and policy --------------------------------------------------

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
bool is_support_MMS();
bool is_browser_available();
// The platform's web engine, which web views load at run time; whether it is on the watch.
constexpr const char* WEB_ENGINE_LIBRARY = "libewebkit2.so";
bool is_web_engine_available();
bool is_package_enabled(const char* pkgId);
// 1 when the carrier's map service is "here", else 0.
int get_map_type();
bool is_rtl_supported(RTLCheckType type);

// ---- Launch requests ----------------------------------------------------

// Each copies the value into out only when present.
bool get_extra_data(app_control_h control, const char* key, std::string& out);
bool get_operation(app_control_h control, std::string& out);
bool get_uri(app_control_h control, std::string& out);
// Cleared when the request did not come from an application.
bool get_caller(app_control_h control, std::string& out);
bool get_package_id(const char* appId, std::string& out);
CallerAppType get_caller_app_type(app_control_h control);

// ---- Resource paths (computed once) -------------------------------------

const std::string& get_shared_trusted_dir();
const std::string& get_locale_dir();
const std::string& get_images_dir();
const std::string& get_message_edj();
const std::string& get_image_edj();

// ---- Phone numbers ------------------------------------------------------

// 3 to 40 bytes (a leading "+" counted), then digits, "-", " ", "#" and "*" only.
bool is_phone_number(const char* address);
// The number without its separators (" /-().") and anything else that is not a digit, "#", "*"
// or "+"; a number without separators is copied unchanged. False for null or empty.
bool make_normalized_number(const char* number, std::string& out);
// Appends the number spelled for a screen reader: each digit followed by a space, each separator
// read as a space.
void make_phonenumber_text_for_tts(const char* number, std::string& out);

// ---- Text ---------------------------------------------------------------

// A new string (free() it) where every carriage return not followed by a line feed is one;
// null for null.
char* convert_cr_to_nl(const char* text);

// Left-to-right mark (U+200E) in front, pop-directional-formatting mark (U+202C) at the end.
bool has_ltr_prefix(const char* text);
void add_ltr_mark(std::string& text);
// Removes the front mark when present and everything from the first end mark on.
void del_ltr_mark(std::string& text);

// The opening tags of a cut link: pressed colour, then colour with underline, from the theme's
// colour codes.
void create_cutlink_prefix_tag(std::string& out, const char* fontStyle, const char* pressedFontStyle);

// ---- Blocked messages ---------------------------------------------------

// Restores a message of a spam folder and lets its sender through again, as "Unblock" says: the
// number leaves the block list, so that the next message is not stopped. The store's result; a
// sender that stays on the list is logged, the message is restored all the same.
int restore_blocked_message(int msgId);

// ---- Web links ----------------------------------------------------------

// Whether the url, without a leading "<scheme>://", starts with prefix.
bool is_url_prefix_match(const char* url, const char* prefix);
bool is_google_map_url_match(const char* url);
bool is_hulm_app_url_match(const char* url);
bool is_glympse_url_match(const char* url);
bool is_here_map_url_match(const char* url);

} // namespace common_util
} // namespace msg_app

#endif
