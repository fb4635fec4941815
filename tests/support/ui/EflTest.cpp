#include "EflTest.h"

#include <unistd.h>

namespace msg_test {

bool pumpUntil(const std::function<bool()>& condition, double timeoutSeconds) {
    double deadline = ecore_time_get() + timeoutSeconds;
    while (!condition()) {
        if (ecore_time_get() > deadline)
            return false;
        ecore_main_loop_iterate_may_block(EINA_FALSE);
        usleep(1000);
    }
    return true;
}

void pumpFor(double seconds) {
    double deadline = ecore_time_get() + seconds;
    while (ecore_time_get() < deadline) {
        ecore_main_loop_iterate_may_block(EINA_FALSE);
        usleep(1000);
    }
}

namespace {

struct LoopWatch {
    const std::function<bool()>* condition;
    double deadline;
    bool met;
};

Eina_Bool loopWatchCb(void* data) {
    auto* watch = static_cast<LoopWatch*>(data);
    if (watch->condition && (*watch->condition)())
        watch->met = true;
    if (watch->met || ecore_time_get() > watch->deadline) {
        ecore_main_loop_quit();
        return ECORE_CALLBACK_CANCEL;
    }
    return ECORE_CALLBACK_RENEW;
}

} // namespace

bool runLoopUntil(const std::function<bool()>& condition, double timeoutSeconds) {
    if (condition())
        return true;
    LoopWatch watch{&condition, ecore_time_get() + timeoutSeconds, false};
    ecore_timer_add(0.001, loopWatchCb, &watch);
    ecore_main_loop_begin();
    return watch.met || condition();
}

void runLoopFor(double seconds) {
    LoopWatch watch{nullptr, ecore_time_get() + seconds, false};
    ecore_timer_add(0.001, loopWatchCb, &watch);
    ecore_main_loop_begin();
}

TestWindow::TestWindow() {
    _win = elm_win_add(nullptr, "msg-test", ELM_WIN_BASIC);
    evas_object_resize(_win, 360, 360);
    evas_object_show(_win);
}

TestWindow::~TestWindow() {
    if (_win)
        evas_object_del(_win);
}

void TestWindow::click(int x, int y) {
    Evas* e = evas();
    evas_event_feed_mouse_move(e, x, y, 0, nullptr);
    evas_event_feed_mouse_down(e, 1, EVAS_BUTTON_NONE, 0, nullptr);
    evas_event_feed_mouse_up(e, 1, EVAS_BUTTON_NONE, 0, nullptr);
}

void TestWindow::pressKey(const char* keyName) {
    Evas* e = evas();
    evas_event_feed_key_down(e, keyName, keyName, nullptr, nullptr, 0, nullptr);
    evas_event_feed_key_up(e, keyName, keyName, nullptr, nullptr, 0, nullptr);
}

} // namespace msg_test
