/*
 * The screens msg-shot and the tests picture: the application's own screens and, beside them,
 * each feature brought into a state worth looking at (a panel open, rows checked, a popup up).
 * Some of them change the device they open on (they receive the messages a state needs, delete
 * the blocked messages, set the small text size), so they are shown only on scratch copies and
 * never by msg-app.
 */
#ifndef MSG_APP_SHELL_SHOTSCREENS_H
#define MSG_APP_SHELL_SHOTSCREENS_H

namespace msg_app {
namespace shell {

class ScreenRegistry;

// The smart callback a screen calls on its window when the moment to picture it
// has come and will not last (msg-shot otherwise waits for the frame to settle).
constexpr const char* CAPTURE_EVENT = "msg-shot,capture";

// Registers every screen msg-shot can picture (once); the first is the one shown when none is named.
void registerBuiltinScreens();
// Screens of the conversation's media and actions, called by registerBuiltinScreens().
void registerMediaScreens(ScreenRegistry& registry);
void registerViewerActionScreens(ScreenRegistry& registry);

} // namespace shell
} // namespace msg_app

#endif
