#include "EflTest.h"

#include <unistd.h>

namespace msg_test {

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
