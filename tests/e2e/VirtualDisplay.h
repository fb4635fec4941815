#ifndef MSG_TESTS_E2E_VIRTUALDISPLAY_H
#define MSG_TESTS_E2E_VIRTUALDISPLAY_H

#include "Frame.h"
#include "Process.h"

#include <string>

// Xlib's macros (None, Status, ...) stay out of the tests' sources.
struct _XDisplay;

namespace msg_e2e {

using WindowId = unsigned long;

// A virtual X server of our own (Xvfb on a free display number), without a
// window manager, as on the watch.
class VirtualDisplay {
public:
    VirtualDisplay() = default;
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    bool start(std::string* error);
    // ":N", for DISPLAY.
    const std::string& name() const { return _name; }
    // The first mapped window of the program named `name` (its class hint); 0 when none.
    WindowId findWindow(const std::string& name);
    // The window's pixels as on the screen; empty when it cannot be read.
    Frame capture(WindowId window);
    // Gives the keyboard focus to `window`, or to no application's window when it is 0, as the
    // watch's home screen does when the user leaves an application and comes back.
    void focus(WindowId window);

private:
    WindowId _search(WindowId parent, const std::string& name);

    Process _server;
    std::string _name;
    _XDisplay* _display = nullptr;
};

} // namespace msg_e2e

#endif
