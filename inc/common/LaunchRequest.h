/*
 * A launch request (app_control_h) with one owner: destroyed when its owner goes, on every
 * failure path too, unless handed on. Hand it to MCommonAppLaunchMgr::launch, which keeps it while
 * the launch is outstanding, or take it back with release() where a raw owner takes over.
 */
#ifndef MSG_APP_COMMON_LAUNCHREQUEST_H
#define MSG_APP_COMMON_LAUNCHREQUEST_H

#include "app_control.h"

#include <memory>
#include <type_traits>

namespace msg_app {

struct LaunchRequestDeleter {
    void operator()(app_control_h request) const { app_control_destroy(request); }
};

using LaunchRequest = std::unique_ptr<std::remove_pointer_t<app_control_h>, LaunchRequestDeleter>;

// A new empty request; null when the platform cannot make one.
inline LaunchRequest createLaunchRequest() {
    app_control_h request = nullptr;
    if (app_control_create(&request) != APP_CONTROL_ERROR_NONE)
        return nullptr;
    return LaunchRequest(request);
}

} // namespace msg_app

#endif
