#include "common/CommonUtilLink.h"

#include "common/CommonHosts.h"
#include "common/MsgLog.h"

#include <cctype>
#include <cstring>
#include <regex>

namespace msg_app {
namespace common_util {

namespace {

// The regular-expression engine recurses per character, so overlong texts are refused before
// matching; real links are far shorter.
constexpr size_t kMaxLinkLen = 2048;

// "<scheme>://" at the start, with the scheme's characters as URIs allow them; the result points
// after it, or at the url itself when it has no scheme.
const char* skipScheme(const char* url) {
    const char* p = url;
    if (!std::isalpha(static_cast<unsigned char>(*p)))
        return url;
    while (std::isalnum(static_cast<unsigned char>(*p)) || *p == '+' || *p == '-' || *p == '.')
        ++p;
    return std::strncmp(p, "://", 3) == 0 ? p + 3 : url;
}

std::string escapeForRegex(const char* text) {
    std::string escaped;
    for (const char* p = text; *p; ++p) {
        if (std::strchr(".?+*()[]{}|^$\\/", *p))
            escaped += '\\';
        escaped += *p;
    }
    return escaped;
}

const std::regex& glympseRegex() {
    static const std::regex re("https?://" + escapeForRegex(hosts::kGlympse) +
                                   "/[A-Za-z0-9]{2,5}-[A-Za-z0-9]{2,5}",
                               std::regex::ECMAScript);
    return re;
}

// West and south of zero the coordinates are negative, and a shared place may carry its zoom in
// a query: both are the same place, which the map application is given without the query.
const std::regex& hereMapRegex() {
    static const std::regex re("(https?://)?" + escapeForRegex(hosts::kHereMapShare) +
                                   "/l/-?[0-9.]+,-?[0-9.]+(\\?[^\\s<>\"]*)?",
                               std::regex::ECMAScript);
    return re;
}

} // namespace

bool is_url_prefix_match(const char* url, const char* prefix) {
    if (!url || !prefix)
        return false;
    const char* host = skipScheme(url);
    if (!*host) {
        MSG_LOGW("this url(%s) has no host info.", url);
        return false;
    }
    return std::strncmp(host, prefix, std::strlen(prefix)) == 0;
}

bool is_google_map_url_match(const char* url) {
    return is_url_prefix_match(url, hosts::kGoogleMaps);
}

bool is_hulm_app_url_match(const char* url) {
    return is_url_prefix_match(url, hosts::kStoreAppDetail);
}

bool is_glympse_url_match(const char* url) {
    return url && std::strlen(url) <= kMaxLinkLen && std::regex_match(url, glympseRegex());
}

bool is_here_map_url_match(const char* url) {
    MSG_RETV_IF(!url, false, "cutlinkText is nullptr");
    return std::strlen(url) <= kMaxLinkLen && std::regex_match(url, hereMapRegex());
}

} // namespace common_util
} // namespace msg_app
