/*
 * The JSON form in which launch requests and replies travel between processes, for the
 * simulator, the tests and the fuzz targets that build requests from text.
 */
#ifndef MSG_SERVICES_APPCONTROLJSON_H
#define MSG_SERVICES_APPCONTROLJSON_H

#include "app_control.h"

#include <string>

namespace msg_services {

// {"operation", "uri", "mime", "app_id", "launch_mode", "caller", "id", "extra": {...}}; empty fields are
// left out.
std::string appControlToJson(const app_control_s& handle);
bool appControlFromJson(const std::string& text, app_control_s& out);

} // namespace msg_services

#endif
