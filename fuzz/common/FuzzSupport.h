// What the fuzz targets share: the failed-check trap, quiet logs, the toolkit on the buffer engine
// and the check that markup holds nothing but escaped text.
#ifndef MSG_FUZZ_FUZZSUPPORT_H
#define MSG_FUZZ_FUZZSUPPORT_H

#include "dlog.h"

#include <Elementary.h>
#include <glib.h>

#include <cstdlib>
#include <string>

namespace msg_fuzz {

inline void check(bool condition) {
    if (!condition)
        __builtin_trap();
}

// Every refused input logs; writing them all would slow fuzzing to a crawl.
inline void quietLogs() {
    dlog_set_min_priority(DLOG_SILENT);
}

inline void startToolkit() {
    setenv("ELM_ENGINE", "buffer", 1);
    setenv("EINA_LOG_LEVELS", "eldbus:0,ecore_system_upower:0,ecore_system_systemd:0,eina_safety:0", 1);
    elm_init(0, nullptr);
}

inline bool isValidUtf8(const std::string& text) {
    return g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr);
}

// Valid UTF-8, and reading it back as text and escaping that again gives the same markup: no tag
// or entity of the text reaches the text engine.
inline void checkEscapedMarkup(const std::string& markup) {
    check(isValidUtf8(markup));
    char* plain = elm_entry_markup_to_utf8(markup.c_str());
    char* again = plain ? elm_entry_utf8_to_markup(plain) : nullptr;
    check(again && markup == again);
    free(again);
    free(plain);
}

} // namespace msg_fuzz

#endif
