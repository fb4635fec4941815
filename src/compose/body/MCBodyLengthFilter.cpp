#include "compose/body/MCBodyLengthFilter.h"

#include <Elementary.h>
#include <glib.h>

#include <cstdlib>
#include <cstring>

namespace msg_app {
namespace compose {

namespace {
constexpr const char* PREEDIT_OPEN = "<preedit";
constexpr const char* PREEDIT_CLOSE = "</preedit";
} // namespace

MCBodyLengthFilter::Result MCBodyLengthFilter::fit(const std::string& before, const std::string& insertion,
                                                   const std::string& after) const {
    Result result;
    if (!_overLimit(before + insertion + after)) {
        result.kept = insertion;
        return result;
    }
    result.cut = true;
    // The longest front of the insertion that fits: more characters never measure less.
    long fits = 0;
    long over = g_utf8_strlen(insertion.c_str(), static_cast<gssize>(insertion.size()));
    while (over - fits > 1) {
        long middle = fits + (over - fits) / 2;
        std::string front = insertion.substr(0, byteOffset(insertion, static_cast<int>(middle)));
        if (_overLimit(before + front + after))
            over = middle;
        else
            fits = middle;
    }
    result.kept = insertion.substr(0, byteOffset(insertion, static_cast<int>(fits)));
    return result;
}

size_t MCBodyLengthFilter::byteOffset(const std::string& text, int position) {
    if (position <= 0)
        return 0;
    if (position >= g_utf8_strlen(text.c_str(), static_cast<gssize>(text.size())))
        return text.size();
    return static_cast<size_t>(g_utf8_offset_to_pointer(text.c_str(), position) - text.c_str());
}

bool MCBodyLengthFilter::hasPreedit(const char* markup) {
    return markup && std::strstr(markup, PREEDIT_OPEN);
}

std::string MCBodyLengthFilter::toPlainText(const char* markup) {
    if (!markup)
        return std::string();
    // Pre-edit text is the input method's proposal, not yet typed.
    std::string committed;
    const char* at = markup;
    while (const char* open = std::strstr(at, PREEDIT_OPEN)) {
        committed.append(at, open);
        const char* close = std::strstr(open, PREEDIT_CLOSE);
        const char* closeEnd = close ? std::strchr(close, '>') : nullptr;
        at = closeEnd ? closeEnd + 1 : open + std::strlen(open);
    }
    committed.append(at);
    char* plain = elm_entry_markup_to_utf8(committed.c_str());
    std::string out = plain ? plain : "";
    std::free(plain);
    return out;
}

} // namespace compose
} // namespace msg_app
