#include "ThemeTables.h"

#include "log/PlatformLog.h"

#include <glib.h>

#include <cstring>

namespace qel {

namespace {

const char* attribute(const gchar** names, const gchar** values, const char* wanted) {
    for (int i = 0; names[i]; ++i) {
        if (!strcmp(names[i], wanted))
            return values[i];
    }
    return nullptr;
}

void colorStartCb(GMarkupParseContext*, const gchar* element, const gchar** names, const gchar** values,
                  gpointer userData, GError**) {
    if (strcmp(element, "ChangeableColorInfo") != 0)
        return;
    const char* id = attribute(names, values, "id");
    const char* color = attribute(names, values, "color");
    _Qel_Theme_Color_Table::Color parsed{};
    if (!id || !color || !ThemeTables::parseColor(color, parsed)) {
        PLAT_LOGW("skipped colour entry %s", id ? id : "(no id)");
        return;
    }
    static_cast<_Qel_Theme_Color_Table*>(userData)->colors[id] = parsed;
}

void fontStartCb(GMarkupParseContext*, const gchar* element, const gchar** names, const gchar** values,
                 gpointer userData, GError**) {
    if (strcmp(element, "FontInfo") != 0)
        return;
    const char* id = attribute(names, values, "id");
    const char* style = attribute(names, values, "style");
    const char* size = attribute(names, values, "size");
    int pixels = size ? atoi(size) : 0;
    if (!id || !style || pixels <= 0) {
        PLAT_LOGW("skipped font entry %s", id ? id : "(no id)");
        return;
    }
    static_cast<_Qel_Theme_Font_Table*>(userData)->fonts[id] = {style, pixels};
}

bool parse(const char* file, GMarkupParser& parser, void* userData) {
    PLAT_RETV_IF(!file, false, "file is NULL");
    gchar* contents = nullptr;
    gsize length = 0;
    GError* error = nullptr;
    if (!g_file_get_contents(file, &contents, &length, &error)) {
        PLAT_LOGE("cannot read %s: %s", file, error->message);
        g_error_free(error);
        return false;
    }
    GMarkupParseContext* context =
        g_markup_parse_context_new(&parser, G_MARKUP_DEFAULT_FLAGS, userData, nullptr);
    bool ok = g_markup_parse_context_parse(context, contents, static_cast<gssize>(length), &error) &&
              g_markup_parse_context_end_parse(context, &error);
    if (!ok) {
        PLAT_LOGE("cannot parse %s: %s", file, error->message);
        g_error_free(error);
    }
    g_markup_parse_context_free(context);
    g_free(contents);
    return ok;
}

int hexByte(const char* p) {
    int value = 0;
    for (int i = 0; i < 2; ++i) {
        int digit = g_ascii_xdigit_value(p[i]);
        if (digit < 0)
            return -1;
        value = value * 16 + digit;
    }
    return value;
}

} // namespace

bool ThemeTables::parseColor(const char* text, _Qel_Theme_Color_Table::Color& out) {
    if (!text || text[0] != '#')
        return false;
    size_t length = strlen(text + 1);
    if (length != 6 && length != 8)
        return false;
    int parts[4] = {0, 0, 0, 255};
    for (size_t i = 0; i < length / 2; ++i) {
        parts[i] = hexByte(text + 1 + 2 * i);
        if (parts[i] < 0)
            return false;
    }
    out = {parts[0], parts[1], parts[2], parts[3]};
    return true;
}

bool ThemeTables::parseColors(const char* file, _Qel_Theme_Color_Table& out) {
    GMarkupParser parser = {colorStartCb, nullptr, nullptr, nullptr, nullptr};
    return parse(file, parser, &out);
}

bool ThemeTables::parseFonts(const char* file, _Qel_Theme_Font_Table& out) {
    GMarkupParser parser = {fontStartCb, nullptr, nullptr, nullptr, nullptr};
    return parse(file, parser, &out);
}

} // namespace qel
