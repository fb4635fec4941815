#ifndef MSG_APP_SHELL_SCREENINSPECTOR_H
#define MSG_APP_SHELL_SCREENINSPECTOR_H

#include <Elementary.h>

#include "bundle.h"

#include <functional>
#include <string>

namespace msg_app {
namespace shell {

// Answers "what does the screen show?" on the application's message port "inspect", so that a test
// driving the real window can check it against the store without reading pixels. Only a process
// started with MSG_INSPECT set listens: an ordinary start opens no port.
//
// A request carries a "token"; the answer, sent to the asking application's port "inspection",
// carries the same token and the snapshot as JSON under "screen".
class ScreenInspector {
public:
    static constexpr const char* PORT = "inspect";
    static constexpr const char* ANSWER_PORT = "inspection";

    // Whether this process was asked to listen.
    static bool requested();

    // `window` is read at each request; `appState` names the application's state then.
    ScreenInspector(Evas_Object* window, std::function<std::string()> appState);
    ~ScreenInspector();
    ScreenInspector(const ScreenInspector&) = delete;
    ScreenInspector& operator=(const ScreenInspector&) = delete;

    bool listening() const { return _portId > 0; }
    // The answer to one request, as it is sent.
    std::string answer() const;

private:
    static void _messageCb(int portId, const char* remoteAppId, const char* remotePort, bool trusted,
                           bundle* message, void* data);

    Evas_Object* _window;
    std::function<std::string()> _appState;
    int _portId = 0;
};

} // namespace shell
} // namespace msg_app

#endif
