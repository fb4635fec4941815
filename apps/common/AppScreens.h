/*
 * The screens msg-app opens as its first: the conversation list, the blocked-message list and one
 * conversation. They show the device as it is and change nothing by being opened; the pictured
 * states of msg-shot and the tests are registered apart (ShotScreens.h).
 */
#ifndef MSG_APP_SHELL_APPSCREENS_H
#define MSG_APP_SHELL_APPSCREENS_H

namespace msg_app {
namespace shell {

class ScreenRegistry;

constexpr const char* CONVERSATION_LIST_SCREEN = "list";
constexpr const char* BLOCKED_LIST_SCREEN = "list-blocked";
constexpr const char* CONVERSATION_SCREEN = "conversation";

// The two lists.
void registerAppScreens(ScreenRegistry& registry);
// The conversation with this id, as CONVERSATION_SCREEN; false when one is registered already.
bool registerConversationScreen(ScreenRegistry& registry, int threadId);

} // namespace shell
} // namespace msg_app

#endif
