/*
 * Turns the finger on one object (a bubble's text) into press, release,
 * move-cancel, click and long-press events with fixed timings, so that a
 * bubble can look pressed and enter select mode while the list still
 * scrolls. It stops by itself when its object goes. Main loop only.
 */
#ifndef MSG_APP_VIEWER_MVMOUSEEVENTMGR_H
#define MSG_APP_VIEWER_MVMOUSEEVENTMGR_H

#include "view_kit/WSignal.h"
#include "view_kit/WTimer.h"

#include <Evas.h>

#include <functional>
#include <memory>
#include <optional>

namespace msg_app {
namespace msg_viewer {

class MVMouseEventMgr {
public:
    enum Event : int {
        PRESSED = 0,
        RELEASED = 1,
        MOVED = 2, // the press is cancelled
        CLICKED = 3,
        LONGPRESSED = 4,
    };
    static constexpr double PRESS_DELAY = 0.1;
    static constexpr double RELEASE_DELAY = 0.1;
    static constexpr double LONG_PRESS_DELAY = 0.5;
    // A finger that moved this far (either way) is scrolling, not pressing.
    static constexpr int MOVE_THRESHOLD = 31;
    // How often a followed press (below) reads the finger.
    static constexpr double FOLLOW_INTERVAL = 0.02;

    // A press that began where this manager's object cannot hear it: the canvas point and the loop
    // time of the finger's touch.
    struct HeldPress {
        int x = 0;
        int y = 0;
        double downTime = 0;
    };

    explicit MVMouseEventMgr(Evas_Object* obj);
    ~MVMouseEventMgr();
    MVMouseEventMgr(const MVMouseEventMgr&) = delete;
    MVMouseEventMgr& operator=(const MVMouseEventMgr&) = delete;

    bool init();
    unsigned int addEventListener(std::function<void(Event)> listener, Evas_Object* owner);
    void removeEventListener(unsigned int& id);
    // Cancels whatever is pending, as when the finger's target opens another view.
    void clearAllEvents();
    // The press still undecided on this object, or when the object went (rebuilt under the
    // finger, say), the one it had then.
    std::optional<HeldPress> heldPress() const;
    // A finger is down on the object and has not yet moved off, lifted or long-pressed.
    bool isPressed() const { return _pressed; }
    // Takes over a press still held on the canvas that this object did not receive: it came down
    // on an object since rebuilt, or while the page took no input. The object gets no move or up
    // of that press, so the finger is read from the canvas until it lifts; the timings count from
    // the touch. False when no finger is down.
    bool followPress(const HeldPress& press);

private:
    void _deinit();
    void _onDown(int x, int y);
    void _startPress(int x, int y, double downTime);
    void _onMove(int x, int y);
    void _onUp();
    void _emit(Event event);
    bool _followTick();
    static void _downCb(void* data, Evas* e, Evas_Object* obj, void* eventInfo);
    static void _moveCb(void* data, Evas* e, Evas_Object* obj, void* eventInfo);
    static void _upCb(void* data, Evas* e, Evas_Object* obj, void* eventInfo);
    static void _delCb(void* data, Evas* e, Evas_Object* obj, void* eventInfo);

    bool _pressed = false;
    Evas_Object* _obj;
    int _downX = 0;
    int _downY = 0;
    std::weak_ptr<view_kit::WTimer> _pressTimer;
    std::weak_ptr<view_kit::WTimer> _releaseTimer;
    std::weak_ptr<view_kit::WTimer> _longPressTimer;
    std::weak_ptr<view_kit::WTimer> _followTimer;
    double _downTime = 0;
    std::optional<HeldPress> _held;
    view_kit::WSignal<void(Event)> _signal;
};

} // namespace msg_viewer
} // namespace msg_app

#endif
