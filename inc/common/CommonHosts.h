/*
 * The web hosts that links in messages are recognised by, kept together so
 * that a change of address is made in one place.
 */
#ifndef MSG_APP_COMMON_COMMONHOSTS_H
#define MSG_APP_COMMON_COMMONHOSTS_H

namespace msg_app {
namespace hosts {

// Map pages: host and path of the web map service.
constexpr const char* kGoogleMaps = "www.google.com/maps";
// Location sharing: links are "<scheme>://glympse.com/XXXX-XXXX".
constexpr const char* kGlympse = "glympse.com";
// Shared map locations: links are "share.here.com/l/<latitude>,<longitude>".
constexpr const char* kHereMapShare = "share.here.com";
// The application store's detail page of one application.
constexpr const char* kStoreAppDetail = "apps.vorlane.com/hulm/appDetail.as?appId=";
// Feature keys under this host are the maker's custom features.
constexpr const char* kDeveloper = "developer.vorlane.com";

} // namespace hosts
} // namespace msg_app

#endif
