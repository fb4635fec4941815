#include "common/CommonUtilAppControl.h"

#include "common/MsgLog.h"
#include "package_manager.h"

#include <cstdlib>

namespace msg_app {
namespace common_util {

namespace {

// Takes a platform copy into out when the call succeeded with a value.
bool takeString(int ret, char* value, std::string& out) {
    if (ret != APP_CONTROL_ERROR_NONE || !value) {
        std::free(value);
        return false;
    }
    out = value;
    std::free(value);
    return true;
}

} // namespace

bool get_extra_data(app_control_h control, const char* key, std::string& out) {
    MSG_RETV_IF(!control, false, "control is null");
    MSG_RETV_IF(!key, false, "key is null");
    char* value = nullptr;
    int ret = app_control_get_extra_data(control, key, &value);
    return takeString(ret, value, out);
}

bool get_operation(app_control_h control, std::string& out) {
    MSG_RETV_IF(!control, false, "control is null");
    char* value = nullptr;
    int ret = app_control_get_operation(control, &value);
    return takeString(ret, value, out);
}

bool get_uri(app_control_h control, std::string& out) {
    MSG_RETV_IF(!control, false, "control is null");
    char* value = nullptr;
    int ret = app_control_get_uri(control, &value);
    return takeString(ret, value, out);
}

bool get_caller(app_control_h control, std::string& out) {
    MSG_RETV_IF(!control, false, "control is null");
    char* value = nullptr;
    int ret = app_control_get_caller(control, &value);
    if (!takeString(ret, value, out)) {
        MSG_LOGD("caller is not an application.");
        out.clear();
        return false;
    }
    return true;
}

bool get_package_id(const char* appId, std::string& out) {
    MSG_RETV_IF(!appId, false, "appId is null");
    char* value = nullptr;
    int ret = package_manager_get_package_id_by_app_id(appId, &value);
    if (ret != PACKAGE_MANAGER_ERROR_NONE || !value) {
        std::free(value);
        MSG_LOGE("package_manager_get_package_id_by_app_id(%s) is failed(%d)", appId, ret);
        return false;
    }
    out = value;
    std::free(value);
    return true;
}

CallerAppType get_caller_app_type(app_control_h control) {
    MSG_RETV_IF(!control, CALLER_APP_UNKNOWN, "control is null");
    CallerAppType type = CALLER_APP_UNKNOWN;
    std::string caller;
    std::string packageId;
    package_info_h info = nullptr;
    if (get_caller(control, caller) && get_package_id(caller.c_str(), packageId) &&
        package_info_create(packageId.c_str(), &info) == PACKAGE_MANAGER_ERROR_NONE) {
        bool preload = false;
        if (package_info_is_preload_package(info, &preload) == PACKAGE_MANAGER_ERROR_NONE)
            type = preload ? CALLER_APP_PRELOADED : CALLER_APP_NOT_PRELOADED;
        package_info_destroy(info);
    }
    MSG_LOGD("- type : %d [preloaded(0), non-preloaded(1), unknown(2)]", static_cast<int>(type));
    return type;
}

} // namespace common_util
} // namespace msg_app
