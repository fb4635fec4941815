/*
 * Renders the executables' named screens one after another in this process,
 * each on a fresh copy of one demo device and in a language of its own, as
 * msg-shot pictures them, and hands the settled window to a reader.
 */
#ifndef MSG_LOOK_SCREENRENDER_H
#define MSG_LOOK_SCREENRENDER_H

#include <Evas.h>

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <utility>

namespace msg_test {
class TempDir;
}

namespace msg_look {

// The clock the demo device is seeded by: its dates count back from it, and whether a
// conversation reads as a time of today or a date depends on the hour.
enum class Clock {
    MIDDAY,         // today 12:58: the newest conversations all of today, their times widest
    AFTER_MIDNIGHT, // today 00:05: all but the newest of yesterday, shown by their dates
};

class ScreenRender {
public:
    ScreenRender();
    ~ScreenRender();
    ScreenRender(const ScreenRender&) = delete;
    ScreenRender& operator=(const ScreenRender&) = delete;

    // Seeds a demo device (conversations and contacts) for each clock once; false with the reason.
    bool prepare(std::string* error);
    // The people's names the demo device knows (contacts), as a screen may show them.
    const std::set<std::string>& names() const { return _names; }
    // Shows the screen in the locale (e.g. "ar_AE.UTF-8") on the device of the clock and, once
    // its frame has settled, calls read with the window; false with the reason when the screen
    // did not render.
    bool render(const std::string& screen, const std::string& locale, Clock clock,
                const std::function<void(Evas_Object* win)>& read, std::string* error);
    // Runs on each screen's device copy, before the screen starts (to change a setting, say).
    void setBeforeStart(std::function<void()> beforeStart) { _beforeStart = std::move(beforeStart); }

private:
    std::unique_ptr<msg_test::TempDir> _templates[2];
    std::set<std::string> _names;
    std::function<void()> _beforeStart;
};

// A test suite's demo devices, seeded once before its first test and gone after its last.
template <class Test> class ScreenRenderSuite : public Test {
protected:
    static void SetUpTestSuite() {
        render = new ScreenRender();
        prepared = render->prepare(&error);
    }
    static void TearDownTestSuite() {
        delete render;
        render = nullptr;
    }

    static inline ScreenRender* render = nullptr;
    static inline bool prepared = false;
    static inline std::string error;
};

} // namespace msg_look

#endif
