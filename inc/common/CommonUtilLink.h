/*
 * Matchers for the web links a bubble turns into map or location actions.
 */
#ifndef MSG_APP_COMMON_COMMONUTILLINK_H
#define MSG_APP_COMMON_COMMONUTILLINK_H

namespace msg_app {
namespace common_util {

// Whether the url, without a leading "<scheme>://", starts with prefix.
bool is_url_prefix_match(const char* url, const char* prefix);
bool is_google_map_url_match(const char* url);
bool is_hulm_app_url_match(const char* url);
bool is_glympse_url_match(const char* url);
bool is_here_map_url_match(const char* url);

} // namespace common_util
} // namespace msg_app

#endif
