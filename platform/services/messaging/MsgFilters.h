/*
 * Whether an incoming message of the watch's modem is blocked by a filter.
 */
#ifndef MSG_SERVICES_MSGFILTERS_H
#define MSG_SERVICES_MSGFILTERS_H

#include <string>

namespace msg_service {

// False (logged) when the filters cannot be read; otherwise *blocked tells.
bool isBlockedMessage(const std::string& from, const std::string& text, bool* blocked);

} // namespace msg_service

#endif
