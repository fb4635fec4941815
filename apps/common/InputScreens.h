/*
 * The input selector's screens for pictures and tests.
 */
#ifndef MSG_APP_SHELL_INPUTSCREENS_H
#define MSG_APP_SHELL_INPUTSCREENS_H

namespace msg_app {
namespace shell {

class ScreenRegistry;

void registerInputScreens(ScreenRegistry& registry);

} // namespace shell
} // namespace msg_app

#endif
