/*
 * Typed access to the application's persistent preferences, and their
 * first-run defaults.
 */
#ifndef MSG_APP_COMMON_PREFERENCE_H
#define MSG_APP_COMMON_PREFERENCE_H

namespace msg_app {
namespace preference {

constexpr const char* KEY_INITIALIZED = "msg_preference_bool_initialized";
constexpr const char* KEY_ALERT_REMINDER = "msg_preference_int_alert_reminder";
constexpr const char* KEY_PROMPT_POPUP_STATE = "msg_preference_int_prompt_popup_state";
constexpr const char* KEY_NMS_X_DAYS_RANGE = "msg_nms_x_days_range";
constexpr const char* KEY_SEND_AS_OPTION = "msg_preference_int_send_as_option";
constexpr const char* KEY_AUTO_SUMMARIZE = "msg_preference_bool_auto_summarize";
constexpr const char* KEY_BNR_SETTING_RESTORE_COUNT = "msg_bnr_setting_restore_count";
constexpr const char* KEY_BNR_BLOCKED_NUMBER_RESTORE_COUNT = "msg_bnr_blocked_number_restore_count";
constexpr const char* KEY_DEFAULT_SMS_APPLICATION = "consumer_preference_int_default_sms_application";
constexpr const char* KEY_PEER_CONNECTION_STATUS = "consumer_preference_int_peer_connection_status";

bool exist(const char* key);
// Outputs are left unchanged on failure.
bool get(const char* key, int* value);
bool get(const char* key, bool* value);
bool set(const char* key, int value);
bool set(const char* key, bool value);

// Writes the first-run defaults that are still missing; runs once per installation.
void init();

} // namespace preference
} // namespace msg_app

#endif
