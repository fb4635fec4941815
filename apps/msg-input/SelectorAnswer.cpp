#include "SelectorAnswer.h"

#include "common/MsgLog.h"

#include <cstdlib>

namespace msg_app {
namespace input {

namespace {

constexpr const char* KEYBOARD_DATA_ARRAY = "selector_keyboard_data_array";
constexpr const char* KEYBOARD_APP_ID = "selector_keyboard_app_id";
constexpr const char* SELECTED_CONTEXT = "selected_context";

bool isBlank(const std::string& text) {
    return text.find_first_not_of(" \t\r\n") == std::string::npos;
}

// The recipient and send context travel on to the composer unchanged.
bool copyDataArray(app_control_h from, app_control_h to) {
    char** items = nullptr;
    int length = 0;
    if (app_control_get_extra_data_array(from, KEYBOARD_DATA_ARRAY, &items, &length) !=
        APP_CONTROL_ERROR_NONE) {
        MSG_LOGE("the request has no %s", KEYBOARD_DATA_ARRAY);
        return false;
    }
    int ret =
        app_control_add_extra_data_array(to, KEYBOARD_DATA_ARRAY, const_cast<const char**>(items), length);
    for (int i = 0; i < length; ++i)
        free(items[i]);
    free(items);
    return ret == APP_CONTROL_ERROR_NONE;
}

} // namespace

bool SelectorAnswer::sendText(app_control_h request, const std::string& text) {
    MSG_RETV_IF(isBlank(text), false, "the text is empty: nothing to send");
    return _launchComposer(request, &text) && _reply(request, APP_CONTROL_RESULT_SUCCEEDED);
}

bool SelectorAnswer::openKeyboard(app_control_h request) {
    return _launchComposer(request, nullptr) && _reply(request, APP_CONTROL_RESULT_SUCCEEDED);
}

bool SelectorAnswer::cancel(app_control_h request) {
    return _reply(request, APP_CONTROL_RESULT_CANCELED);
}

bool SelectorAnswer::_launchComposer(app_control_h request, const std::string* text) {
    char* appId = nullptr;
    if (app_control_get_extra_data(request, KEYBOARD_APP_ID, &appId) != APP_CONTROL_ERROR_NONE || !appId ||
        !*appId) {
        free(appId);
        MSG_LOGE("the request names no composer (%s)", KEYBOARD_APP_ID);
        return false;
    }
    app_control_h composer = nullptr;
    if (app_control_create(&composer) != APP_CONTROL_ERROR_NONE) {
        free(appId);
        MSG_LOGE("app_control_create() is failed");
        return false;
    }
    app_control_set_app_id(composer, appId);
    app_control_set_launch_mode(composer, APP_CONTROL_LAUNCH_MODE_GROUP);
    bool ok = copyDataArray(request, composer) &&
              (!text || app_control_add_extra_data(composer, SELECTED_CONTEXT, text->c_str()) ==
                            APP_CONTROL_ERROR_NONE);
    int ret = ok ? app_control_send_launch_request(composer, nullptr, nullptr)
                 : APP_CONTROL_ERROR_INVALID_PARAMETER;
    if (ret != APP_CONTROL_ERROR_NONE)
        MSG_LOGE("launching %s failed (%d)", appId, ret);
    else
        MSG_LOGI("handed %s to %s", text ? "the text" : "the keyboard", appId);
    free(appId);
    app_control_destroy(composer);
    return ret == APP_CONTROL_ERROR_NONE;
}

bool SelectorAnswer::_reply(app_control_h request, app_control_result_e result) {
    app_control_h reply = nullptr;
    MSG_RETV_IF(app_control_create(&reply) != APP_CONTROL_ERROR_NONE, false,
                "app_control_create() is failed");
    int ret = app_control_reply_to_launch_request(reply, request, result);
    app_control_destroy(reply);
    MSG_RETV_IF(ret != APP_CONTROL_ERROR_NONE, false, "app_control_reply_to_launch_request() failed (%d)",
                ret);
    return true;
}

} // namespace input
} // namespace msg_app
