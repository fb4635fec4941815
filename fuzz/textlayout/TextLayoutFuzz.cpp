// Lays arbitrary text, after the making-safe step every screen applies, out in the toolkit's real
// text engine: a bubble as the conversation sizes it (widest, then shrunk to its longest line),
// an entry at a width and wrap mode of the screens (any width up to the screen, every wrap), and
// the one-line text of a theme's text part. A layout that does not end is the fault looked for:
// a watchdog aborts the run, and libFuzzer keeps the input as a crash.
#include "../common/FuzzSupport.h"
#include "common/CommonUiHelper.h"
#include "common/ui/MCommonTheme.h"
#include "msg_store/Conversation.h"
#include "viewer/MVItem/MVBubbleMarkup.h"
#include "viewer/MVItem/MVBubbleSizer.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// One input lays out a dozen times in well under a second, sanitizers included; a layout that
// spins never ends at all.
constexpr int HANG_SECONDS = 10;
constexpr int SCREEN_W = 360;
constexpr size_t MAX_INPUT_BYTES = 4096;

std::atomic<int64_t> deadline{0}; // steady-clock milliseconds; 0 while no layout runs

int64_t nowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch()).count();
}

void watch() {
    for (;;) {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        int64_t until = deadline.load();
        if (until && nowMs() > until) {
            std::fprintf(stderr, "text layout did not end within %d s: a hang\n", HANG_SECONDS);
            std::abort();
        }
    }
}

Evas_Object* window = nullptr;
Evas_Object* bubble = nullptr;
Evas_Object* entries[4] = {};
Evas_Object* textPart = nullptr;

void layOut(Evas_Object* entry, int width) {
    evas_object_resize(entry, width, 0);
    evas_object_smart_calculate(entry);
    Evas_Coord w = 0, h = 0;
    evas_object_textblock_size_formatted_get(elm_entry_textblock_get(entry), &w, &h);
    msg_fuzz::check(w >= 0 && h >= 0);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    msg_fuzz::quietLogs();
    msg_fuzz::startToolkit();
    window = elm_win_add(nullptr, "layout", ELM_WIN_BASIC);
    evas_object_resize(window, SCREEN_W, SCREEN_W);
    evas_object_show(window);
    msg_app::MCommonTheme::getInstance()->init();
    bubble = msg_app::msg_viewer::MVBubbleSizer::addEntry(window, "message/bubble/receive");
    const Elm_Wrap_Type wraps[] = {ELM_WRAP_NONE, ELM_WRAP_CHAR, ELM_WRAP_WORD, ELM_WRAP_MIXED};
    for (int i = 0; i < 4; ++i) {
        entries[i] = elm_entry_add(window);
        elm_entry_editable_set(entries[i], EINA_FALSE);
        elm_entry_line_wrap_set(entries[i], wraps[i]);
        elm_entry_text_style_user_push(entries[i], "DEFAULT='font=Sans font_size=28'");
    }
    textPart = evas_object_text_add(evas_object_evas_get(window));
    evas_object_text_font_set(textPart, "Sans", 28);
    evas_object_text_ellipsis_set(textPart, 1.0);
    std::thread(watch).detach();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > MAX_INPUT_BYTES)
        return 0;
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string safe = msg_app::common_ui_helper::to_layout_safe(text);
    // Safe text is safe already: an editor showing it saves it unchanged.
    msg_fuzz::check(msg_app::common_ui_helper::to_layout_safe(safe) == safe);
    std::string multiLine = msg_app::common_ui_helper::to_label_markup(text, true);
    msg_fuzz::checkEscapedMarkup(multiLine);

    msg_store::Conversation conv;
    conv.msgType = "sms";
    conv.folderType = msg_store::FOLDER_INBOX;
    conv.text = text;
    msg_app::msg_viewer::MVBubbleMarkup::Input input;
    input.conv = &conv;
    input.received = true;
    input.timeText = "9:41 AM";
    std::string bubbleMarkup = msg_app::msg_viewer::MVBubbleMarkup(window).make(input);

    // Any width of a screen, chosen by the text, so that the inputs kept cover them all.
    uint32_t hash = 2166136261u;
    for (size_t i = 0; i < size; ++i)
        hash = (hash ^ data[i]) * 16777619u;
    int width = 1 + static_cast<int>(hash % SCREEN_W);

    deadline = nowMs() + HANG_SECONDS * 1000;
    elm_object_text_set(bubble, bubbleMarkup.c_str());
    int bubbleW = 0, bubbleH = 0;
    msg_fuzz::check(msg_app::msg_viewer::MVBubbleSizer::measureEntry(bubble, bubbleW, bubbleH));
    for (Evas_Object* entry : entries) {
        elm_object_text_set(entry, multiLine.c_str());
        layOut(entry, width);
    }
    evas_object_text_text_set(textPart, safe.c_str());
    evas_object_resize(textPart, width, 40);
    deadline = 0;
    return 0;
}
