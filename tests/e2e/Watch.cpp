#include "Watch.h"

#include "Json.h"
#include "Programs.h"
#include "Wait.h"

#include <csignal>
#include <cstdio>
#include <filesystem>

namespace msg_e2e {

namespace {

constexpr double START_SECONDS = 30.0;
constexpr double CHANGE_SECONDS = 10.0;
constexpr double SETTLE_SECONDS = 10.0;
// Equal pictures for this long: no animation is running. A loaded machine can stall an
// animation (a push building the next screen) for longer than a few polls.
constexpr double STILL_SECONDS = 0.5;
// What still differs between two pictures of the same screen (the scroll bar's fade).
constexpr double SAME_LOOK = 0.02;
constexpr int DRAG_STEPS = 12;
// The next screen showing changes a fifth of the window or more; nothing else a tap on a list row
// draws changes 5% of it.
constexpr double SLIDING_IN = 0.05;

} // namespace

Watch::Watch(VirtualDisplay& display, std::string folder)
    : _display(display), _folder(std::move(folder)), _device(_folder + "/device") {
    std::filesystem::create_directories(_device);
}

Watch::~Watch() {
    _app.stop();
    _stopLaunched();
}

void Watch::_stopLaunched() {
    // Only the processes of this watch's own requests, each by its id.
    forEachObject(sim({"launches", "--json"}).out, [](JsonObject* o) {
        if (stringOf(o, "status") == "started" && intOf(o, "pid") > 0)
            kill(static_cast<pid_t>(intOf(o, "pid")), SIGTERM);
    });
}

Output Watch::sim(const std::vector<std::string>& args) const {
    std::vector<std::string> argv = {msg_test::binDir() + "/msg-sim", "--device", _device};
    argv.insert(argv.end(), args.begin(), args.end());
    // What msg-sim launches (the composer a selector's answer starts) shows on the watch's display.
    return run(argv, {{"DISPLAY", _display.name()}, {"ELM_ENGINE", ""}});
}

std::vector<Watch::Row> Watch::storeRows(const std::vector<std::string>& args) const {
    std::vector<std::string> command = {"list"};
    command.insert(command.end(), args.begin(), args.end());
    command.push_back("--json");
    std::vector<Row> rows;
    forEachObject(sim(command).out, [&](JsonObject* o) {
        rows.push_back(
            {intOf(o, "id"), stringOf(o, json_object_has_member(o, "snippet") ? "snippet" : "text")});
    });
    return rows;
}

bool Watch::launch(const std::vector<std::string>& args) {
    std::vector<std::string> argv = {msg_test::binDir() + "/msg-app", "--device", _device};
    argv.insert(argv.end(), args.begin(), args.end());
    // The window is drawn on the display, not in memory; the log stays with the pictures.
    // It answers what its screen shows (msg-sim inspect).
    Process::Env env = {{"DISPLAY", _display.name()},
                        {"ELM_ENGINE", ""},
                        {"MSG_LOG_FILE", logPath()},
                        {"MSG_LOG_LEVEL", "info"},
                        {"MSG_INSPECT", "1"}};
    return _app.start(argv, env, -1, logPath()) && switchTo("msg-app");
}

bool Watch::switchTo(const std::string& program) {
    bool shown = waitUntil(
        [&] {
            _window = _display.findWindow(program);
            return _window && _capture().litShareIn({0, 0, SIZE, SIZE}) > 0.02;
        },
        START_SECONDS);
    if (shown)
        settled(program);
    return shown;
}

bool Watch::waitGone(const std::string& program) {
    return waitUntil([&] { return !_display.findWindow(program); }, START_SECONDS);
}

Frame Watch::_capture() {
    return _display.capture(_window);
}

Frame Watch::settled(const std::string& name) {
    Frame last = _capture();
    auto stillSince = std::chrono::steady_clock::now();
    waitUntil(
        [&] {
            Frame now = _capture();
            auto at = std::chrono::steady_clock::now();
            if (now.empty() || now.differenceIn(last, now.whole()) != 0.0)
                stillSince = at;
            last = std::move(now);
            return std::chrono::duration<double>(at - stillSince).count() >= STILL_SECONDS;
        },
        SETTLE_SECONDS);
    _keep(name, last);
    return last;
}

void Watch::_keep(const std::string& name, const Frame& frame) {
    _pictures.emplace_back(name, frame);
    if (_pictureLimit && _pictures.size() > _pictureLimit) {
        _pictures.erase(_pictures.begin());
        ++_picturesDropped;
    }
}

bool Watch::waitForChange(const Frame& before, Rect area, double share, const std::string& name,
                          Frame* after) {
    bool changed = waitUntil([&] { return _capture().differenceIn(before, area) > share; }, CHANGE_SECONDS);
    Frame now = settled(name);
    // `after` may be `before` itself.
    changed = changed && now.differenceIn(before, area) > share;
    if (after)
        *after = std::move(now);
    return changed;
}

bool Watch::waitForLook(const Frame& expected, const std::string& name) {
    bool same = waitUntil([&] { return _capture().differenceIn(expected, expected.whole()) < SAME_LOOK; },
                          CHANGE_SECONDS);
    settled(name);
    return same;
}

void Watch::_xdotool(std::vector<std::string> args) {
    args.insert(args.begin(), "xdotool");
    run(args, {{"DISPLAY", _display.name()}});
}

// The pointer moved onto (x, y) of the window, followed by `then`, in one run of xdotool.
void Watch::_at(int x, int y, std::vector<std::string> then) {
    then.insert(then.begin(),
                {"mousemove", "--window", std::to_string(_window), std::to_string(x), std::to_string(y)});
    _xdotool(std::move(then));
}

void Watch::tap(int x, int y) {
    _at(x, y, {"click", "1"});
}

bool Watch::longPress(int x, int y, Rect area) {
    Frame before = _capture();
    _at(x, y, {"mousedown", "1"});
    bool changed = waitUntil([&] { return _capture().differenceIn(before, area) > 0.01; }, CHANGE_SECONDS);
    _xdotool({"mouseup", "1"});
    return changed;
}

bool Watch::tapThenLongPress(Point tap, Point press, const std::function<bool(const Frame&)>& done) {
    const Frame before = _capture();
    this->tap(tap.x, tap.y);
    // The finger comes down as soon as the next screen shows: a fixed delay after the tap lands on the
    // old screen when the machine is slow to begin the push.
    waitUntil([&] { return _capture().differenceIn(before, before.whole()) > SLIDING_IN; }, CHANGE_SECONDS);
    _keep("pressed", _capture());
    _at(press.x, press.y, {"mousedown", "1"});
    Frame last;
    bool shown = waitUntil([&] { return done(last = _capture()); }, CHANGE_SECONDS);
    _xdotool({"mouseup", "1"});
    // What the finger came down on and what it held, for a journey that fails here.
    _keep("held", last);
    return shown;
}

void Watch::press(int x, int y, double seconds) {
    char hold[32];
    std::snprintf(hold, sizeof hold, "%.3f", seconds);
    // One run of xdotool: the hold is the user's, not the time a process takes to start.
    _at(x, y, {"mousedown", "1", "sleep", hold, "mouseup", "1"});
}

void Watch::drag(int x, int fromY, int toY) {
    std::vector<std::string> args = {"mousedown", "1"};
    // A finger moves through the points between; the scroller follows each.
    for (int i = 1; i <= DRAG_STEPS; ++i)
        args.insert(args.end(), {"sleep", "0.02", "mousemove", "--window", std::to_string(_window),
                                 std::to_string(x), std::to_string(fromY + (toY - fromY) * i / DRAG_STEPS)});
    args.insert(args.end(), {"mouseup", "1"});
    _at(x, fromY, std::move(args));
}

void Watch::wheel(bool down, int detents) {
    _at(CENTRE, CENTRE, {"click", "--repeat", std::to_string(detents), "--delay", "150", down ? "5" : "4"});
}

void Watch::key(const std::string& name, int times) {
    // Without a window manager the keyboard goes where the pointer is.
    _at(CENTRE, CENTRE, {"key", "--repeat", std::to_string(times), "--delay", "150", name});
}

void Watch::type(const std::string& text) {
    _at(CENTRE, CENTRE, {"type", "--delay", "120", text});
}

void Watch::focusApp(bool focused) {
    // Coming back moves the focus away first: an application that sent itself to the background
    // (back on its last page) still holds it, and must see it come.
    _display.focus(0);
    if (focused)
        _display.focus(_window);
}

bool Watch::inspect(ShownScreen* shown) const {
    Output answer = sim({"inspect", "--json"});
    return answer.exitCode == 0 && ShownScreen::parse(answer.out, shown);
}

std::string Watch::keepPictures() {
    size_t index = 0;
    for (const auto& [name, frame] : _pictures) {
        char prefix[16];
        snprintf(prefix, sizeof prefix, "%04zu-", _picturesDropped + ++index);
        frame.savePng(_folder + "/" + prefix + name + ".png");
    }
    return _folder;
}

} // namespace msg_e2e
