#include "common/CommonUiHelper.h"

#include "common/CommonUtil.h"
#include "common/MsgLog.h"
#include "vconf.h"

#include <glib.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <libintl.h>
#include <string>

namespace msg_app {
namespace common_ui_helper {

namespace {

constexpr const char* VCONFKEY_LANGUAGE = "db/menu_widget/language";
constexpr const char* FALLBACK_LANGUAGE = "en_US.UTF-8";

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
    char* markup = elm_entry_utf8_to_markup(shown.c_str());
    std::string out = markup ? markup : "";
    std::free(markup);
    return out;
}

int getTextblockWidth(Evas_Object* obj, const char* text, const char* style) {
    MSG_RETV_IF(!text, 0, "srcText is nullptr");
    MSG_RETV_IF(!obj, 0, "obj is nullptr");
    Evas_Textblock_Style* tbStyle = evas_textblock_style_new();
    evas_textblock_style_set(tbStyle, style ? style : "");
    Evas_Object* textblock = evas_object_textblock_add(evas_object_evas_get(obj));
    evas_object_textblock_style_set(textblock, tbStyle);
    evas_object_textblock_text_markup_set(textblock, text);
    Evas_Coord width = 0;
    evas_object_textblock_size_native_get(textblock, &width, nullptr);
    evas_object_del(textblock);
    evas_textblock_style_free(tbStyle);
    return width;
}

} // namespace common_ui_helper
} // namespace msg_app
