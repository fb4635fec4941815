/*
 * Usage statistics: short upper-case feature codes with a detail text.
 */
#ifndef MSG_APP_COMMON_DAZOLOG_H
#define MSG_APP_COMMON_DAZOLOG_H

namespace msg_app {
namespace dazo_log {

bool init();
void deinit();
// extra may be null.
void insert(const char* feature, const char* extra);

} // namespace dazo_log
} // namespace msg_app

#endif
