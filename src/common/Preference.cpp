#include "common/Preference.h"

#include "common/CommonUtil.h"
#include "common/MCommonNumberSync.h"
#include "common/MsgLog.h"
#include "msg_store/MsgStoreTypes.h"
#include "preference.h"

#include <string>

namespace msg_app {
namespace preference {

namespace {

constexpr int kDefaultAlertReminder = 3;
constexpr int kDefaultNmsXDaysRange = 7;
constexpr int kDefaultSmsApplication = 1;

void setDefault(const char* key, int value) {
    if (!exist(key))
        set(key, value);
}

void setDefault(const char* key, bool value) {
    if (!exist(key))
        set(key, value);
}

} // namespace

bool exist(const char* key) {
    MSG_RETV_IF(!key, false, "key is null");
    bool existing = false;
    int ret = preference_is_existing(key, &existing);
    MSG_RETV_IF(ret != PREFERENCE_ERROR_NONE, false, "preference_is_existing(%s) is failed(%d)", key, ret);
    return existing;
}

bool get(const char* key, int* value) {
    MSG_RETV_IF(!key, false, "key is null");
    MSG_RETV_IF(!value, false, "value is null");
    int ret = preference_get_int(key, value);
    MSG_RETV_IF(ret != PREFERENCE_ERROR_NONE, false, "prefernece_get_int(%s) is failed(%d).", key, ret);
    return true;
}

bool get(const char* key, bool* value) {
    MSG_RETV_IF(!key, false, "key is null");
    MSG_RETV_IF(!value, false, "value is null");
    int ret = preference_get_boolean(key, value);
    MSG_RETV_IF(ret != PREFERENCE_ERROR_NONE, false, "prefernece_get_boolean(%s) is failed(%d).", key, ret);
    return true;
}

bool set(const char* key, int value) {
    MSG_RETV_IF(!key, false, "key is null");
    int ret = preference_set_int(key, value);
    MSG_RETV_IF(ret != PREFERENCE_ERROR_NONE, false, "preference_set_int(%s) is failed(%d)", key, ret);
    return true;
}

bool set(const char* key, bool value) {
    MSG_RETV_IF(!key, false, "key is null");
    int ret = preference_set_boolean(key, value);
    MSG_RETV_IF(ret != PREFERENCE_ERROR_NONE, false, "preference_set_boolean(%s) is failed(%d)", key, ret);
    return true;
}

void init() {
    bool initialized = false;
    if (exist(KEY_INITIALIZED) && get(KEY_INITIALIZED, &initialized) && initialized)
        return;
    MSG_LOGI("create preferences");

    if (common_util::is_sta_enabled()) {
        setDefault(KEY_ALERT_REMINDER, kDefaultAlertReminder);
        setDefault(KEY_PROMPT_POPUP_STATE, false);
        if (!exist(KEY_NMS_X_DAYS_RANGE) && MCommonNumberSync::getInstance()->isSalescodeSupported())
            MCommonNumberSync::getInstance()->setXDaysRangeType(kDefaultNmsXDaysRange);
    }
    setDefault(KEY_SEND_AS_OPTION, 0);

    std::string countryIso;
    if (common_util::get_country_iso(countryIso) && countryIso == "KR")
        setDefault(KEY_AUTO_SUMMARIZE, true);

    setDefault(KEY_BNR_SETTING_RESTORE_COUNT, 0);
    setDefault(KEY_BNR_BLOCKED_NUMBER_RESTORE_COUNT, 0);
    setDefault(KEY_DEFAULT_SMS_APPLICATION, kDefaultSmsApplication);
    setDefault(msg_store::PREF_INT_CONSUMER_STATUS, 0);
    setDefault(KEY_PEER_CONNECTION_STATUS, 0);
    setDefault(msg_store::PREF_INT_SENDING_MESSAGE_ID, 0);
    // Stored as the boolean it is read as, so that the first check reads "not supported" until the
    // store client learns what the phone can do.
    setDefault(msg_store::PREF_BOOL_SUPPORT_SENDING_MMS, false);

    set(KEY_INITIALIZED, true);
}

} // namespace preference
} // namespace msg_app
