// Feeds arbitrary bytes to every conversion of message text into label markup and checks that the
// result is valid UTF-8 and only escaped text: reading it back as text and escaping that again
// gives the same markup, so no tag or entity of the message reaches the text engine.
#include "block/MBItem/MBItem.h"
#include "dlog.h"
#include "list/MLItem/MLItemContent.h"

#include <Elementary.h>
#include <glib.h>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void check(bool condition) {
    if (!condition)
        __builtin_trap();
}

bool isValid(const std::string& text) {
    return g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr);
}

void checkEscaped(const std::string& markup) {
    check(isValid(markup));
    char* plain = elm_entry_markup_to_utf8(markup.c_str());
    check(plain != nullptr);
    char* again = elm_entry_utf8_to_markup(plain);
    check(again != nullptr && markup == again);
    free(again);
    free(plain);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Every cut text logs; writing them all would slow fuzzing to a crawl.
    dlog_set_min_priority(DLOG_SILENT);
    setenv("ELM_ENGINE", "buffer", 1);
    setenv("EINA_LOG_LEVELS", "eldbus:0,ecore_system_upower:0,ecore_system_systemd:0,eina_safety:0", 1);
    elm_init(0, nullptr);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 1 << 16)
        return 0;
    const std::string text(reinterpret_cast<const char*>(data), size);
    // A list row leaves invalid bytes to the text engine, which draws them as boxes.
    if (isValid(text))
        checkEscaped(msg_app::msg_list::MLItemContent::toMarkup(text));
    checkEscaped(msg_app::msg_block::MBItem::toMarkup(text));
    return 0;
}
