/*
 * The conversation list's screens for pictures and tests.
 */
#ifndef MSG_APP_SHELL_LISTSCREENS_H
#define MSG_APP_SHELL_LISTSCREENS_H

namespace msg_app {
namespace shell {

class ScreenRegistry;

void registerListScreens(ScreenRegistry& registry);

} // namespace shell
} // namespace msg_app

#endif
