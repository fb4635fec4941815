#ifndef MSG_TESTS_SUPPORT_UI_EFLTEST_H
#define MSG_TESTS_SUPPORT_UI_EFLTEST_H

#include <Elementary.h>

#include "MainLoop.h"

namespace msg_test {

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
