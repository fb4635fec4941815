#include "common/ui/ZoneId.h"

#include "common/MsgLog.h"

#include <unistd.h>

namespace msg_app {
namespace zone_id {

namespace {

// "/usr/share/zoneinfo/": the zone id starts after it.
constexpr size_t kZoneInfoPrefixLen = 20;
constexpr size_t kLinkMax = 127;

} // namespace

bool from_link_target(const std::string& target, std::string& out) {
    // A shorter target (a relative link, say) has no zone id where we look for one.
    MSG_RETV_IF(target.size() <= kZoneInfoPrefixLen, false, "link target (%s) names no zone", target.c_str());
    out = target.substr(kZoneInfoPrefixLen);
    return true;
}

bool from_link(const char* path, std::string& out) {
    MSG_RETV_IF(!path, false, "path is nullptr");
    char buf[kLinkMax + 1];
    ssize_t len = readlink(path, buf, kLinkMax);
    if (len < 0)
        return false;
    return from_link_target(std::string(buf, static_cast<size_t>(len)), out);
}

} // namespace zone_id
} // namespace msg_app
