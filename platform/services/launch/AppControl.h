/*
 * The contents of a launch request handle, its JSON form (the form in
 * which requests and replies travel between processes) and the set of
 * live handles, so that a destroyed handle is refused instead of used.
 */
#ifndef MSG_SERVICES_APPCONTROL_H
#define MSG_SERVICES_APPCONTROL_H

#include "AppControlJson.h"
#include "Bundle.h"
#include "app_control.h"

#include <cstdint>
#include <string>

struct app_control_s {
    std::string operation;
    std::string uri;
    std::string mime;
    std::string appId;
    app_control_launch_mode_e launchMode = APP_CONTROL_LAUNCH_MODE_SINGLE;
    _bundle_t extras;
    // Of a received request: who sent it and its journal id (0: not received).
    std::string caller;
    int64_t requestId = 0;
    // Of a sent request: the journal id of its last launch (0: not sent).
    int64_t launchedId = 0;
};

namespace msg_services {

void registerAppControl(app_control_s* handle);
void unregisterAppControl(app_control_s* handle);
bool isLiveAppControl(app_control_s* handle);

} // namespace msg_services

#endif
