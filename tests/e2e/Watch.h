#ifndef MSG_TESTS_E2E_WATCH_H
#define MSG_TESTS_E2E_WATCH_H

#include "Frame.h"
#include "Process.h"
#include "ShownScreen.h"
#include "VirtualDisplay.h"

#include <functional>
#include <string>
#include <vector>

namespace msg_e2e {

// The watch as a user holds it: a device folder of its own, msg-app running
// in a window of the virtual display, and the user's finger, bezel and back
// key as real X input. Every picture taken is kept, so that a failing journey
// can leave them behind.
class Watch {
public:
    static constexpr int SIZE = 360;
    static constexpr int CENTRE = SIZE / 2;

    Watch(VirtualDisplay& display, std::string folder);
    ~Watch();

    // A conversation or a message as the store holds it.
    struct Row {
        int id;
        std::string text; // a conversation's snippet, a message's text
    };

    // msg-sim on this watch's device; its standard output.
    Output sim(const std::vector<std::string>& args) const;
    // `msg-sim list ARGS --json`: the conversations (or messages) newest first.
    std::vector<Row> storeRows(const std::vector<std::string>& args = {}) const;
    // Starts msg-app with `args` and waits for its window to show something.
    bool launch(const std::vector<std::string>& args = {});
    bool running() { return _app.running(); }
    // How msg-app ended, once running() is false.
    const std::string& ending() const { return _app.ending(); }
    // What msg-app's window shows, as msg-app tells it; false when it did not answer.
    bool inspect(ShownScreen* shown) const;
    // msg-app's log: its own lines and the toolkit's.
    std::string logPath() const { return _folder + "/msg-app.log"; }
    // Waits for the window of `program` (msg-app, or an application a launch request
    // started) to show something, and turns the finger, the keys and the pictures to it.
    bool switchTo(const std::string& program);
    // Waits until `program` has no window on the display any more.
    bool waitGone(const std::string& program);

    // A picture once the screen has stopped moving, named for the record.
    Frame settled(const std::string& name);
    // Waits until the screen in `area` differs from `before` by more than
    // `share`, then until it settles.
    bool waitForChange(const Frame& before, Rect area, double share, const std::string& name, Frame* after);
    // Waits until the screen looks like `expected` again (the whole window).
    bool waitForLook(const Frame& expected, const std::string& name);

    void tap(int x, int y);
    // Holds the finger down until the screen in `area` changes.
    bool longPress(int x, int y, Rect area);
    // Taps at `tap`, and as soon as the screen it opens shows holds the finger down at `press`
    // until the screen shows what `done` looks for, as a user does who presses on the screen the tap
    // opened while it still comes in. Whether it did.
    bool tapThenLongPress(Point tap, Point press, const std::function<bool(const Frame&)>& done);
    // Holds the finger down for `seconds`, as a user's long press does.
    void press(int x, int y, double seconds);
    void drag(int x, int fromY, int toY);
    // Wheel down (button 5) is a clockwise detent, up (4) counter-clockwise.
    void wheel(bool down, int detents);
    void key(const std::string& name, int times = 1);
    // Typed on the desktop's keyboard, key by key.
    void type(const std::string& text);
    // The user leaves the application for the watch's home screen (false) or comes back (true).
    void focusApp(bool focused);

    // Keeps only the newest `count` pictures, for journeys that take thousands.
    void keepNewestPictures(size_t count) { _pictureLimit = count; }

    // Saves every picture taken into the folder; its path.
    std::string keepPictures();
    const std::string& folder() const { return _folder; }

private:
    Frame _capture();
    // Kept for the journey's pictures, the oldest dropped past the limit.
    void _keep(const std::string& name, const Frame& frame);
    void _xdotool(std::vector<std::string> args);
    void _at(int x, int y, std::vector<std::string> then);
    // Ends what the launch requests of this device started and left running.
    void _stopLaunched();

    VirtualDisplay& _display;
    std::string _folder;
    std::string _device;
    Process _app;
    WindowId _window = 0;
    std::vector<std::pair<std::string, Frame>> _pictures;
    size_t _pictureLimit = 0; // 0: all
    size_t _picturesDropped = 0;
};

} // namespace msg_e2e

#endif
