#include "common/ui/CommonUiHelperText.h"

#include "common/CommonUtil.h"
#include "common/MsgLog.h"
#include "qel.h"
#include "vconf.h"

#include <glib.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <libintl.h>
#include <string>

namespace msg_app {
namespace common_ui_helper {

namespace {

constexpr const char* VCONFKEY_LANGUAGE = "db/menu_widget/language";
constexpr const char* FALLBACK_LANGUAGE = "en_US.UTF-8";

constexpr gunichar NO_BREAK_SPACE = 0x00A0;
constexpr gunichar ZERO_WIDTH_SPACE = 0x200B;
constexpr gunichar ZERO_WIDTH_NON_JOINER = 0x200C;
constexpr gunichar ZERO_WIDTH_JOINER = 0x200D;

// Skin tones: the shaper joins one to whatever precedes it, the line breaker only to an emoji.
bool isEmojiModifier(gunichar c) {
    return c >= 0x1F3FB && c <= 0x1F3FF;
}

// What the shaper joins to the character before it: marks, the joiners, skin tones, the
// half-width kana sound marks and the tags of flag sequences.
bool attaches(gunichar c) {
    return g_unichar_ismark(c) || c == ZERO_WIDTH_NON_JOINER || c == ZERO_WIDTH_JOINER ||
           isEmojiModifier(c) || (c >= 0xFF9E && c <= 0xFF9F) || (c >= 0xE0020 && c <= 0xE007F);
}

// A base a skin tone may follow with no line break between them: an emoji it modifies, or a
// character no line breaks after. "\u062D\U0001F3FD\uFFFD x" spun the engine at every width.
bool takesModifier(gunichar c) {
    GUnicodeBreakType type = g_unichar_break_type(c);
    return type == G_UNICODE_BREAK_EMOJI_BASE || type == G_UNICODE_BREAK_NON_BREAKING_GLUE ||
           type == G_UNICODE_BREAK_WORD_JOINER;
}

// A character the line breaker may break after although the shaper joins the marks that follow
// it into its cluster: the text engine then looks for a line end inside that cluster, logs that it
// cannot split it, and tries again for ever. Measured in entries of 28 px text at widths from 10
// to 360 px: "a \u0301 y\u0489" spins with no wrapping and with word wrapping at every width, and
// so does "  \u20DD\u200B\u0484y" (a mark after a zero-width space) at 30 px; with the marks on a
// no-break space or a dotted circle instead, neither does, and runs of up to 128 marks on letters
// never spun nor took longer than runs of 2. Spaces that never break (no-break, figure and narrow
// no-break) are bases.
bool breaksBeforeMarks(gunichar c) {
    if (c == NO_BREAK_SPACE || c == 0x2007 || c == 0x202F)
        return false;
    return c == ZERO_WIDTH_SPACE || g_unichar_isspace(c) || g_unichar_iscntrl(c);
}

// The same for the joining marks of the glue class alone (the double diacritics, the grapheme
// joiner): a line may break before one after a hyphen or a break-after character, whose cluster
// the shaper still makes it part of. "-\u035F \u0671e" spun the engine at 138 px.
bool breaksBeforeGlue(gunichar c) {
    GUnicodeBreakType type = g_unichar_break_type(c);
    return type == G_UNICODE_BREAK_HYPHEN || type == G_UNICODE_BREAK_AFTER;
}

std::string plainOf(const char* markup) {
    char* plain = markup ? elm_entry_markup_to_utf8(markup) : nullptr;
    std::string out = plain ? plain : "";
    std::free(plain);
    return out;
}

// "ar_AE.UTF-8" -> "ar_AE:ar", the translation search order for gettext.
std::string searchOrder(const std::string& locale) {
    std::string id = locale.substr(0, locale.find_first_of(".@"));
    size_t sep = id.find('_');
    return sep == std::string::npos ? id : id + ":" + id.substr(0, sep);
}

} // namespace

bool set_textdomain() {
    MSG_RETV_IF(!bindtextdomain(TEXT_DOMAIN, common_util::get_locale_dir().c_str()), false,
                "bindtextdomain() is failed !!");
    bind_textdomain_codeset(TEXT_DOMAIN, "UTF-8");
    MSG_RETV_IF(!textdomain(TEXT_DOMAIN), false, "textdomain() is failed !!");
    set_language();
    return true;
}

void set_language() {
    char* value = vconf_get_str(VCONFKEY_LANGUAGE);
    std::string language = value && *value ? value : FALLBACK_LANGUAGE;
    std::free(value);
    MSG_LOGD("language: %s", language.c_str());
    // The catalogues are chosen by this list, so that a language works even where the system
    // lacks its locale; translations are looked up only outside the "C" locale.
    setenv("LANGUAGE", searchOrder(language).c_str(), 1);
    if (!setlocale(LC_MESSAGES, language.c_str())) {
        const char* current = setlocale(LC_MESSAGES, nullptr);
        if (!current || !std::strcmp(current, "C") || !std::strcmp(current, "POSIX"))
            setlocale(LC_MESSAGES, "C.UTF-8");
    }
    // Drops gettext's cached lookups of the previous language.
    textdomain(textdomain(nullptr));
    // Right-to-left languages read every layout from the right edge.
    elm_config_mirrored_set(common_util::is_rtl_supported(common_util::LANGUAGE) ? EINA_TRUE : EINA_FALSE);
    elm_language_set(language.c_str());
}

const char* get_text(const char* id) {
    MSG_RETV_IF(!id, "", "id is nullptr");
    return dgettext(TEXT_DOMAIN, id);
}

std::string to_layout_safe(const std::string& text) {
    gchar* valid = g_utf8_make_valid(text.c_str(), static_cast<gssize>(text.size()));
    std::string out;
    out.reserve(text.size());
    bool onBase = false;      // the last character takes marks
    bool onEmojiBase = false; // and a skin tone, none having been put on it yet
    gunichar base = 0;        // the character marks go on
    size_t marks = 0;         // marks kept on it
    for (const gchar* p = valid; p && *p; p = g_utf8_next_char(p)) {
        gunichar c = g_utf8_get_char(p);
        size_t length = static_cast<size_t>(g_utf8_next_char(p) - p);
        if (!attaches(c)) {
            out.append(p, length);
            onBase = !breaksBeforeMarks(c);
            onEmojiBase = onBase && takesModifier(c);
            base = c;
            marks = 0;
            continue;
        }
        bool glue = g_unichar_break_type(c) == G_UNICODE_BREAK_NON_BREAKING_GLUE;
        if (!onBase || (isEmojiModifier(c) && !onEmojiBase) || (glue && breaksBeforeGlue(base))) {
            out += "\xC2\xA0"; // what a mark on its own is drawn on
            onBase = true;
            base = NO_BREAK_SPACE;
            marks = 0;
        }
        if (isEmojiModifier(c))
            onEmojiBase = false;
        if (marks < MAX_MARKS_PER_CHAR) {
            out.append(p, length);
            ++marks;
        }
    }
    g_free(valid);
    return out;
}

std::string to_layout_safe_insertion(const std::string& before, const std::string& insertion) {
    // The character the insertion follows, with the marks it has: what a mark inserted sits on.
    size_t start = before.size();
    while (start > 0) {
        const gchar* prev = g_utf8_find_prev_char(before.c_str(), before.c_str() + start);
        if (!prev)
            break;
        start = static_cast<size_t>(prev - before.c_str());
        if (!attaches(g_utf8_get_char(prev)))
            break;
    }
    std::string last = before.substr(start);
    std::string joined = to_layout_safe(last + insertion);
    if (joined.compare(0, last.size(), last) != 0)
        return to_layout_safe(insertion);
    return joined.substr(last.size());
}

void layout_safe_filter_cb(void* /*data*/, Evas_Object* entry, char** text) {
    if (!entry || !text || !*text || !**text || std::strstr(*text, "<preedit"))
        return;
    std::string insertion = plainOf(*text);
    std::string current = plainOf(elm_entry_entry_get(entry));
    int cursor = elm_entry_cursor_pos_get(entry);
    glong length = g_utf8_strlen(current.c_str(), -1);
    const gchar* at =
        g_utf8_offset_to_pointer(current.c_str(), cursor < 0 || cursor > length ? length : cursor);
    std::string safe =
        to_layout_safe_insertion(current.substr(0, static_cast<size_t>(at - current.c_str())), insertion);
    if (safe == insertion)
        return;
    std::free(*text);
    *text = elm_entry_utf8_to_markup(safe.c_str());
}

std::vector<size_t> text_part_starts(const std::string& text, size_t maxChars) {
    std::vector<size_t> starts{0};
    if (maxChars == 0)
        return starts;
    // A line ending this close to the cut ends the part instead: words stay whole.
    const size_t nearChars = maxChars / 5;
    const char* begin = text.c_str();
    const char* end = begin + text.size();
    const char* start = begin;
    for (;;) {
        const char* p = start;
        const char* lastBreak = nullptr;
        size_t count = 0, countAtBreak = 0;
        while (p < end && count < maxChars) {
            const char* next = g_utf8_find_next_char(p, end);
            next = next ? next : end;
            gunichar c = g_utf8_get_char_validated(p, next - p);
            p = next;
            ++count;
            if (c == ' ' || c == '\n') {
                lastBreak = p;
                countAtBreak = count;
            }
        }
        if (p >= end)
            return starts;
        const char* cut = lastBreak && count - countAtBreak <= nearChars ? lastBreak : p;
        while (cut < end) {
            const char* next = g_utf8_find_next_char(cut, end);
            next = next ? next : end;
            gunichar c = g_utf8_get_char_validated(cut, next - cut);
            if (c == static_cast<gunichar>(-1) || c == static_cast<gunichar>(-2) || !attaches(c))
                break;
            cut = next;
        }
        if (cut >= end)
            return starts;
        starts.push_back(static_cast<size_t>(cut - begin));
        start = cut;
    }
}

std::string to_label_markup(const std::string& text, bool multiLine, size_t maxBytes) {
    gchar* valid = g_utf8_make_valid(text.c_str(), static_cast<gssize>(text.size()));
    std::string plain = valid ? valid : "";
    g_free(valid);
    if (maxBytes && plain.size() > maxBytes) {
        MSG_LOGW("text of %zu bytes is cut to %zu", plain.size(), maxBytes);
        const char* end = g_utf8_find_prev_char(plain.c_str(), plain.c_str() + maxBytes + 1);
        plain.resize(end ? static_cast<size_t>(end - plain.c_str()) : 0);
        plain += "\xE2\x80\xA6"; // an ellipsis says that more follows
    }
    std::string shown;
    shown.reserve(plain.size());
    for (char c : plain) {
        unsigned char byte = static_cast<unsigned char>(c);
        if (multiLine && c == '\r')
            continue; // the line break of a CR LF pair is its LF
        bool kept = multiLine && (c == '\n' || c == '\t');
        shown += (byte < 0x20 && !kept) || byte == 0x7F ? ' ' : c;
    }
    char* markup = elm_entry_utf8_to_markup(to_layout_safe(shown).c_str());
    std::string out = markup ? markup : "";
    std::free(markup);
    return out;
}

namespace {

// One hidden textblock measures on each canvas in turn: making one for each measurement cost more
// than the layout it measured. It goes with its canvas.
struct TextblockMeasurer {
    Evas* canvas = nullptr;
    Evas_Object* textblock = nullptr;
    Evas_Textblock_Style* style = nullptr;
};

TextblockMeasurer& textblockMeasurer() {
    static TextblockMeasurer kept;
    return kept;
}

void textblockMeasurerDelCb(void* /*data*/, Evas* /*e*/, Evas_Object* obj, void* /*eventInfo*/) {
    TextblockMeasurer& kept = textblockMeasurer();
    if (kept.textblock == obj) {
        kept.textblock = nullptr;
        kept.canvas = nullptr;
    }
}

Evas_Object* measuringTextblock(Evas* canvas) {
    TextblockMeasurer& kept = textblockMeasurer();
    if (!kept.style)
        kept.style = evas_textblock_style_new();
    if (kept.canvas == canvas && kept.textblock)
        return kept.textblock;
    if (kept.textblock) {
        evas_object_event_callback_del(kept.textblock, EVAS_CALLBACK_DEL, textblockMeasurerDelCb);
        evas_object_del(kept.textblock);
    }
    kept.textblock = evas_object_textblock_add(canvas);
    kept.canvas = kept.textblock ? canvas : nullptr;
    if (kept.textblock)
        evas_object_event_callback_add(kept.textblock, EVAS_CALLBACK_DEL, textblockMeasurerDelCb, nullptr);
    return kept.textblock;
}

} // namespace

int getTextblockWidth(Evas_Object* obj, const char* text, const char* style) {
    MSG_RETV_IF(!text, 0, "srcText is nullptr");
    MSG_RETV_IF(!obj, 0, "obj is nullptr");
    Evas_Object* textblock = measuringTextblock(evas_object_evas_get(obj));
    MSG_RETV_IF(!textblock, 0, "no textblock to measure on");
    evas_textblock_style_set(textblockMeasurer().style, style ? style : "");
    evas_object_textblock_style_set(textblock, textblockMeasurer().style);
    evas_object_textblock_text_markup_set(textblock, text);
    Evas_Coord width = 0;
    evas_object_textblock_size_native_get(textblock, &width, nullptr);
    return width;
}

std::string theme_text_style(const char* fontCode, const char* colorCode, const char* more) {
    std::string style = "DEFAULT='";
    const char* fontStyle = nullptr;
    int size = 0;
    if (fontCode && qel_theme_get_font(fontCode, &fontStyle, &size))
        style += "font_size=" + std::to_string(size) + " ";
    else
        MSG_LOGW("no font for %s", fontCode ? fontCode : "(null)");
    int r = 0, g = 0, b = 0, a = 0;
    if (colorCode && qel_theme_get_color(colorCode, &r, &g, &b, &a)) {
        char color[24];
        std::snprintf(color, sizeof(color), "color=#%02x%02x%02x%02x ", r & 0xff, g & 0xff, b & 0xff,
                      a & 0xff);
        style += color;
    } else {
        MSG_LOGW("no colour for %s", colorCode ? colorCode : "(null)");
    }
    return style + (more ? more : "") + "'";
}

} // namespace common_ui_helper
} // namespace msg_app
