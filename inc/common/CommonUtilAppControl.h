/*
 * Accessors of launch requests: extras, operation, uri and who sent it.
 */
#ifndef MSG_APP_COMMON_COMMONUTILAPPCONTROL_H
#define MSG_APP_COMMON_COMMONUTILAPPCONTROL_H

#include "app_control.h"

#include <string>

namespace msg_app {
namespace common_util {

enum CallerAppType {
    CALLER_APP_PRELOADED = 0,
    CALLER_APP_NOT_PRELOADED = 1,
    CALLER_APP_UNKNOWN = 2,
};

// Each copies the value into out only when present.
bool get_extra_data(app_control_h control, const char* key, std::string& out);
bool get_operation(app_control_h control, std::string& out);
bool get_uri(app_control_h control, std::string& out);
// Cleared when the request did not come from an application.
bool get_caller(app_control_h control, std::string& out);
bool get_package_id(const char* appId, std::string& out);
CallerAppType get_caller_app_type(app_control_h control);

} // namespace common_util
} // namespace msg_app

#endif
