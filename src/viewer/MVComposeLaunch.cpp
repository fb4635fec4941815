#include "viewer/MVComposeLaunch.h"

#include "app_control.h"
#include "common/CommonUtil.h"
#include "common/IMCommonScreenOpener.h"
#include "common/LaunchRequest.h"
#include "common/MCommonAppLaunchMgr.h"
#include "common/MsgLog.h"

namespace msg_app {
namespace msg_viewer {
namespace compose_launch {

bool check(view_kit::WViewController* vc, const std::vector<std::string>& recipients) {
    IMCommonScreenOpener* opener = screen_opener::get();
    // Without the application's opener (a view shown on its own) nothing can tell.
    if (!opener)
        return true;
    view_kit::WViewController* errorPopup = nullptr;
    if (opener->checkComposer(recipients, &errorPopup))
        return true;
    MSG_LOGE("MCLaunchMgr is failed.");
    if (errorPopup && !(vc && vc->attachPopup(errorPopup)))
        MSG_LOGE("error popup not shown");
    return false;
}

bool open_input_selector(const std::vector<std::string>& data,
                         const std::function<void(app_control_h)>& extras) {
    std::vector<const char*> array;
    for (const std::string& entry : data)
        array.push_back(entry.c_str());
    LaunchRequest request = createLaunchRequest();
    MSG_RETV_IF(!request, false, "app_control_create failed");
    app_control_set_app_id(request.get(), INPUT_SELECTOR_APP_ID);
    app_control_set_launch_mode(request.get(), APP_CONTROL_LAUNCH_MODE_GROUP);
    app_control_add_extra_data_array(request.get(), "selector_keyboard_data_array", array.data(),
                                     static_cast<int>(array.size()));
    app_control_add_extra_data(request.get(), "selector_keyboard_app_id", COMPOSE_APP_ID);
    if (extras)
        extras(request.get());
    if (common_util::is_support_MMS())
        app_control_add_extra_data(request.get(), "option_type", "enable_drawing");
    if (!MCommonAppLaunchMgr::getInstance()->launch(std::move(request), nullptr)) {
        MSG_LOGE("app_control_send_launch_request is failed");
        return false;
    }
    return true;
}

bool new_message(view_kit::WViewController* vc, const std::string& number) {
    MSG_RETV_IF(number.empty(), false, "number is empty");
    if (!check(vc, {number}))
        return false;
    return open_input_selector(
        {"address:" + number, std::string("caller_app:") + common_util::MAIN_APP_ID, "vorlane_log:new_msg"});
}

} // namespace compose_launch
} // namespace msg_viewer
} // namespace msg_app
