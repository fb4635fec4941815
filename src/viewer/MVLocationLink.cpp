#include "viewer/MVLocationLink.h"

#include "common/CommonHosts.h"
#include "common/MsgLog.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <strings.h>

namespace msg_app {
namespace msg_viewer {

namespace {

bool parseNumber(const std::string& text, double& out) {
    if (text.empty() || text.size() > 32)
        return false;
    for (char c : text) {
        if (!(c == '-' || c == '+' || c == '.' || (c >= '0' && c <= '9')))
            return false;
    }
    char* end = nullptr;
    double value = std::strtod(text.c_str(), &end);
    if (!end || *end != '\0' || !std::isfinite(value))
        return false;
    out = value;
    return true;
}

// A web link of printable characters without spaces or markup, short enough for one message.
bool isWebLink(const std::string& url) {
    if (url.empty() || url.size() > MVLocationLink::MAX_URL)
        return false;
    if (strncasecmp(url.c_str(), "http://", 7) != 0 && strncasecmp(url.c_str(), "https://", 8) != 0)
        return false;
    for (unsigned char c : url) {
        if (c <= 0x20 || c == 0x7f || c == '<' || c == '>' || c == '"')
            return false;
    }
    return true;
}

} // namespace

bool MVLocationLink::parseGeo(const std::string& coord, double& lat, double& lon) {
    if (coord.compare(0, 4, "geo:") != 0)
        return false;
    std::string rest = coord.substr(4);
    rest = rest.substr(0, rest.find(';'));
    size_t comma = rest.find(',');
    if (comma == std::string::npos)
        return false;
    double la = 0, lo = 0;
    if (!parseNumber(rest.substr(0, comma), la) || !parseNumber(rest.substr(comma + 1), lo))
        return false;
    if (la < -90 || la > 90 || lo < -180 || lo > 180)
        return false;
    lat = la;
    lon = lo;
    return true;
}

bool MVLocationLink::make(const std::string& url, const std::string& coord, std::string& out) {
    if (!url.empty()) {
        MSG_RETV_IF(!isWebLink(url), false, "the picked link is not a web link");
        out = url;
        return true;
    }
    MSG_LOGI("url extra_data is empty. create map_url with geo.");
    double lat = 0, lon = 0;
    MSG_RETV_IF(!parseGeo(coord, lat, lon), false, "invalid coordinates");
    char link[128];
    std::snprintf(link, sizeof(link), "https://%s/l/%.6f,%.6f?z=%d", hosts::kHereMapShare, lat, lon,
                  ZOOM_LEVEL);
    out = link;
    return true;
}

} // namespace msg_viewer
} // namespace msg_app
