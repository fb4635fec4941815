/*
 * The blocked messages' screens for pictures and tests.
 */
#ifndef MSG_APP_SHELL_BLOCKSCREENS_H
#define MSG_APP_SHELL_BLOCKSCREENS_H

namespace msg_app {
namespace shell {

class ScreenRegistry;

void registerBlockScreens(ScreenRegistry& registry);

} // namespace shell
} // namespace msg_app

#endif
