/*
 * The conversation's screens for pictures and tests.
 */
#ifndef MSG_APP_SHELL_VIEWERSCREENS_H
#define MSG_APP_SHELL_VIEWERSCREENS_H

namespace msg_app {
namespace shell {

class ScreenRegistry;

void registerViewerScreens(ScreenRegistry& registry);

} // namespace shell
} // namespace msg_app

#endif
