// The time-zone id named by the device's localtime link.
#ifndef MSG_APP_COMMON_UI_ZONEID_H
#define MSG_APP_COMMON_UI_ZONEID_H

#include <string>

namespace msg_app {
namespace zone_id {

// The link target without its zoneinfo folder ("/usr/share/zoneinfo/Asia/Seoul" gives
// "Asia/Seoul"). False, out unchanged, for a target that is no longer than that folder.
bool from_link_target(const std::string& target, std::string& out);
// Reads the link at path; false when it is not a readable link to a zone.
bool from_link(const char* path, std::string& out);

} // namespace zone_id
} // namespace msg_app

#endif
