#ifndef MSG_TESTS_SUPPORT_UI_EFLTEST_H
#define MSG_TESTS_SUPPORT_UI_EFLTEST_H

#include <Elementary.h>

#include <functional>

namespace msg_test {

// Runs the Ecore main loop until the condition holds or the time limit passes;
// returns whether the condition held. Idle loops sleep briefly instead of spinning.
bool pumpUntil(const std::function<bool()>& condition, double timeoutSeconds = 5.0);

// Runs the main loop for a while, letting timers, idlers and jobs fire.
void pumpFor(double seconds);

// Like pumpUntil, but runs the real main loop (ecore_main_loop_begin), so
// that idlers run too: single iterations never call them.
bool runLoopUntil(const std::function<bool()>& condition, double timeoutSeconds = 5.0);
void runLoopFor(double seconds);

// A 360 x 360 window on the buffer engine, deleted with the object.
class TestWindow {
public:
    TestWindow();
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    Evas_Object* win() const { return _win; }
    Evas* evas() const { return evas_object_evas_get(_win); }

    // Real input events on the window's canvas, at window coordinates.
    void click(int x, int y);
    void pressKey(const char* keyName);

private:
    Evas_Object* _win = nullptr;
};

} // namespace msg_test

#endif
