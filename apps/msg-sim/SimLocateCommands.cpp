// msg-sim locate: the device's location picker, answering a "send my location" request with a
// place as the picker would: its coordinates, and a web link when the map application has one.
#include "SimLocateCommands.h"

#include "SimCommand.h"
#include "SimLaunchReply.h"
#include "SimSettingsOutput.h"
#include "common/AppIds.h"

#include <app_control.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr double MAX_LATITUDE = 90.0;
constexpr double MAX_LONGITUDE = 180.0;

// "LAT,LON" in degrees, in range; false for anything else.
bool parseCoordinates(const std::string& text, double& latitude, double& longitude) {
    size_t comma = text.find(',');
    if (comma == std::string::npos || comma == 0 || comma + 1 == text.size())
        return false;
    const std::string lat = text.substr(0, comma);
    const std::string lon = text.substr(comma + 1);
    char* end = nullptr;
    latitude = std::strtod(lat.c_str(), &end);
    if (*end != '\0')
        return false;
    longitude = std::strtod(lon.c_str(), &end);
    if (*end != '\0')
        return false;
    return std::isfinite(latitude) && std::isfinite(longitude) && std::fabs(latitude) <= MAX_LATITUDE &&
           std::fabs(longitude) <= MAX_LONGITUDE;
}

int runLocate(msg_sim::SimArgs& args) {
    bool cancel = args.flag("--cancel");
    std::string coordText, url;
    bool hasCoord = args.option("--coord", coordText);
    bool hasUrl = args.option("--url", url);
    long long id = 0;
    if (!args.ok(1) || args.rest().size() != 1 || !msg_sim::parseCount(args.rest()[0], id) ||
        cancel == (hasCoord || hasUrl))
        return msg_sim::simUsageError(
            args, args.error().empty() ? "give a launch id and --coord LAT,LON, --url URL or --cancel"
                                       : args.error());
    std::vector<std::pair<std::string, std::string>> extras;
    if (hasCoord) {
        double latitude = 0, longitude = 0;
        if (!parseCoordinates(coordText, latitude, longitude))
            return msg_sim::simUsageError(args, "--coord takes LAT,LON in degrees");
        char coord[64];
        std::snprintf(coord, sizeof coord, "geo:%.6f,%.6f", latitude, longitude);
        extras.emplace_back(APP_CONTROL_DATA_SELECTED, coordText);
        extras.emplace_back(APP_CONTROL_URI_BASE "data/coord", coord);
    }
    if (hasUrl) {
        if (url.empty())
            return msg_sim::simUsageError(args, "--url needs a link");
        extras.emplace_back(APP_CONTROL_URI_BASE "data/url", url);
    }
    return msg_sim::answerPicker(args, id, msg_app::app_id::MAP, "location picker", cancel, extras);
}

} // namespace

void msg_sim::registerLocateCommands() {
    addSimCommand({"locate", "ID --coord LAT,LON [--url URL] | ID --url URL | ID --cancel",
                   "answers a location picker request with a place, as the device's map application would",
                   runLocate});
}
