/*
 * What the actions of a conversation need to know about its addresses: the
 * addresses in order, and whether the conversation can be answered at all.
 */
#ifndef MSG_APP_VIEWER_MVTHREADADDRESS_H
#define MSG_APP_VIEWER_MVTHREADADDRESS_H

#include "msg_store/Conversation.h"

#include <string>
#include <vector>

namespace msg_app {
namespace msg_viewer {
namespace thread_address {

// The conversation's addresses in address order; empty (logged) when it has none.
std::vector<std::string> list(int threadId);
// The addresses joined with ";", as the sending applications take them.
std::string join(const std::vector<std::string>& addresses);
// A group chat, or one address that is a phone number: something a reply can reach.
bool is_support_reply(int threadId, const msg_store::Conversation* latest);

} // namespace thread_address
} // namespace msg_viewer
} // namespace msg_app

#endif
