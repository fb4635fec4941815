// Feeds arbitrary text, plain or as markup, to link detection with every kind of link and a custom
// scheme, and checks what a reader relies on: plain text is always accepted, and the anchors add
// nothing to what the label shows. Invalid UTF-8 once crashed the matching engine.
#include "../common/FuzzSupport.h"
#include "qel.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

using msg_fuzz::check;

Evas_Object* gLabel = nullptr;

Eina_Bool linkEverything(void*, const char*, const char*, const char*, const char*) {
    return EINA_TRUE;
}

// The text a label shows for some markup.
std::string shown(const char* markup) {
    char* plain = elm_entry_markup_to_utf8(markup);
    std::string text = plain ? plain : "";
    free(plain);
    return text;
}

Qel_Cut_Link* gCutLink = nullptr;

void detect(const std::string& text, bool isMarkup) {
    int result = qel_cut_link_set_text(gCutLink, text.c_str(), isMarkup);
    check(result == QEL_CUT_LINK_ERROR_NONE || (isMarkup && result == QEL_CUT_LINK_ERROR_INVALID_MARKUP));
    // Markup comes from the application's own escaping; a malformed entity in hand-made markup may
    // read differently once an anchor splits it, so only plain text is held to its shown text.
    if (isMarkup)
        return;
    const char* linked = qel_cut_link_get_text(gCutLink);
    check(linked != nullptr);
    // Stray bytes show as replacement characters.
    gchar* valid = g_utf8_make_valid(text.c_str(), -1);
    char* markup = elm_entry_utf8_to_markup(valid);
    check(shown(linked) == shown(markup));
    free(markup);
    g_free(valid);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    msg_fuzz::quietLogs();
    msg_fuzz::startToolkit();
    Evas_Object* win = elm_win_add(nullptr, "fuzz", ELM_WIN_BASIC);
    gLabel = elm_label_add(win);
    // One detector for every input, as a bubble keeps its own: compiling the patterns would
    // otherwise take most of the time.
    gCutLink = qel_cut_link_add(gLabel, QEL_CUT_LINK_TYPE_URI | QEL_CUT_LINK_TYPE_PHONE |
                                            QEL_CUT_LINK_TYPE_DATETIME | QEL_CUT_LINK_TYPE_EMAIL |
                                            QEL_CUT_LINK_TYPE_UNC);
    check(gCutLink != nullptr);
    check(qel_cut_link_add_scheme(gCutLink, "store:", "store://item/[0-9a-z_.-]+"));
    check(qel_cut_link_set_match_cb(gCutLink, QEL_CUT_LINK_SCHEME_DATETIME, linkEverything, nullptr));
    check(qel_cut_link_set_tag(gCutLink, QEL_CUT_LINK_SCHEME_URI, "<color=#4dcfff><underline=on>",
                               "<underline=off></color>"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1 || size > 4096)
        return 0;
    // The first byte says whether the rest is markup or plain text.
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    detect(text, (data[0] & 1) != 0);
    return 0;
}
