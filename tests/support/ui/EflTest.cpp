#include "EflTest.h"

#include <cstdarg>
#include <cstdio>
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

ToolkitErrors::ToolkitErrors() {
    eina_log_print_cb_set(_printCb, this);
}

ToolkitErrors::~ToolkitErrors() {
    eina_log_print_cb_set(eina_log_print_cb_stderr, nullptr);
}

std::vector<std::string> ToolkitErrors::containing(const std::string& text) const {
    std::vector<std::string> found;
    for (const std::string& line : _lines) {
        if (line.find(text) != std::string::npos)
            found.push_back(line);
    }
    return found;
}

void ToolkitErrors::_printCb(const Eina_Log_Domain* domain, Eina_Log_Level level, const char* file,
                             const char* fnc, int line, const char* fmt, void* data, va_list args) {
    if (level <= EINA_LOG_LEVEL_ERR) {
        va_list copy;
        va_copy(copy, args);
        char text[1024];
        vsnprintf(text, sizeof text, fmt, copy);
        va_end(copy);
        static_cast<ToolkitErrors*>(data)->_lines.emplace_back(text);
    }
    eina_log_print_cb_stderr(domain, level, file, fnc, line, fmt, nullptr, args);
}

} // namespace msg_test
