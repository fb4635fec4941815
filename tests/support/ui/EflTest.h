#ifndef MSG_TESTS_SUPPORT_UI_EFLTEST_H
#define MSG_TESTS_SUPPORT_UI_EFLTEST_H

#include <Elementary.h>

#include "MainLoop.h"

#include <string>
#include <vector>

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

// Records the toolkit's error lines while it lives (an object used after it was deleted, say);
// only one may exist at a time. Lines are still printed.
class ToolkitErrors {
public:
    ToolkitErrors();
    ~ToolkitErrors();
    ToolkitErrors(const ToolkitErrors&) = delete;
    ToolkitErrors& operator=(const ToolkitErrors&) = delete;

    // The lines recorded that contain `text`.
    std::vector<std::string> containing(const std::string& text) const;

private:
    static void _printCb(const Eina_Log_Domain* domain, Eina_Log_Level level, const char* file,
                         const char* fnc, int line, const char* fmt, void* data, va_list args);
    std::vector<std::string> _lines;
};

} // namespace msg_test

#endif
