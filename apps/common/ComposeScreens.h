/*
 * The composer's screens for pictures and tests: recipient, body and their popups.
 */
#ifndef MSG_APP_SHELL_COMPOSESCREENS_H
#define MSG_APP_SHELL_COMPOSESCREENS_H

namespace msg_app {
namespace shell {

class ScreenRegistry;

void registerComposeScreens(ScreenRegistry& registry);
void registerComposeBodyScreens(ScreenRegistry& registry);

} // namespace shell
} // namespace msg_app

#endif
