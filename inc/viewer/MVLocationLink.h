/*
 * The link "send my location" sends, made from what the location picker
 * answered: its own link when it gave a web link, else a map link built from
 * its coordinates. Another application's answer is checked before use.
 */
#ifndef MSG_APP_VIEWER_MVLOCATIONLINK_H
#define MSG_APP_VIEWER_MVLOCATIONLINK_H

#include <string>

namespace msg_app {
namespace msg_viewer {

class MVLocationLink {
public:
    static constexpr int ZOOM_LEVEL = 13;
    static constexpr size_t MAX_URL = 512;

    // False (out unchanged) when neither the link nor "geo:LAT,LON" coordinates are usable.
    static bool make(const std::string& url, const std::string& coord, std::string& out);
    // "geo:LAT,LON[;...]" with a latitude in [-90, 90] and a longitude in [-180, 180].
    static bool parseGeo(const std::string& coord, double& lat, double& lon);
};

} // namespace msg_viewer
} // namespace msg_app

#endif
