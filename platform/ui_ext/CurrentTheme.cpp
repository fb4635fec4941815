#include "CurrentTheme.h"

#include "log/PlatformLog.h"
#include "qel.h"

#include <Edje.h>

namespace qel {

namespace {

// Font styles as fontconfig names them. A round screen is narrow, so the texts use the
// condensed cut: medium and bold are its bold, regular its book.
std::string fontName(const std::string& style) {
    if (style == "Medium" || style == "Bold")
        return "Sans:style=Condensed Bold";
    if (style == "Regular")
        return "Sans:style=Condensed";
    return "Sans:style=" + style;
}

} // namespace

CurrentTheme& CurrentTheme::instance() {
    static auto* theme = new CurrentTheme;
    return *theme;
}

bool CurrentTheme::setColors(_Qel_Theme_Color_Table* table) {
    PLAT_RETV_IF(!changeable, false, "changeable UI is disabled");
    if (_colors) {
        for (const auto& entry : _colors->colors)
            edje_color_class_del(entry.first.c_str());
    }
    _colors = table;
    if (table) {
        for (const auto& entry : table->colors) {
            const auto& c = entry.second;
            edje_color_class_set(entry.first.c_str(), c.r, c.g, c.b, c.a, c.r, c.g, c.b, c.a, c.r, c.g, c.b,
                                 c.a);
        }
    }
    return true;
}

bool CurrentTheme::setFonts(_Qel_Theme_Font_Table* table) {
    PLAT_RETV_IF(!changeable, false, "changeable UI is disabled");
    if (_fonts) {
        for (const auto& entry : _fonts->fonts)
            edje_text_class_del(entry.first.c_str());
    }
    _fonts = table;
    if (table) {
        for (const auto& entry : table->fonts)
            edje_text_class_set(entry.first.c_str(), fontName(entry.second.style).c_str(), entry.second.size);
    }
    return true;
}

void CurrentTheme::forget(const _Qel_Theme_Color_Table* table) {
    if (table && table == _colors)
        setColors(nullptr);
}

void CurrentTheme::forget(const _Qel_Theme_Font_Table* table) {
    if (table && table == _fonts)
        setFonts(nullptr);
}

const _Qel_Theme_Color_Table::Color* CurrentTheme::color(const char* code) const {
    if (!_colors || !code)
        return nullptr;
    auto found = _colors->colors.find(code);
    return found == _colors->colors.end() ? nullptr : &found->second;
}

const _Qel_Theme_Font_Table::Font* CurrentTheme::font(const char* code) const {
    if (!_fonts || !code)
        return nullptr;
    auto found = _fonts->fonts.find(code);
    return found == _fonts->fonts.end() ? nullptr : &found->second;
}

} // namespace qel

using qel::CurrentTheme;

extern "C" {

Qel_Theme_Color_Table* qel_theme_color_table_new(const char* file) {
    auto* table = new Qel_Theme_Color_Table;
    if (!qel::ThemeTables::parseColors(file, *table)) {
        delete table;
        return nullptr;
    }
    return table;
}

void qel_theme_color_table_free(Qel_Theme_Color_Table* table) {
    CurrentTheme::instance().forget(table);
    delete table;
}

Qel_Theme_Font_Table* qel_theme_font_table_new(const char* file) {
    auto* table = new Qel_Theme_Font_Table;
    if (!qel::ThemeTables::parseFonts(file, *table)) {
        delete table;
        return nullptr;
    }
    return table;
}

void qel_theme_font_table_free(Qel_Theme_Font_Table* table) {
    CurrentTheme::instance().forget(table);
    delete table;
}

Eina_Bool qel_theme_color_table_set(Qel_Theme_Color_Table* table) {
    return CurrentTheme::instance().setColors(table);
}

Eina_Bool qel_theme_font_table_set(Qel_Theme_Font_Table* table) {
    return CurrentTheme::instance().setFonts(table);
}

Eina_Bool qel_theme_get_color(const char* code, int* r, int* g, int* b, int* a) {
    const auto* c = CurrentTheme::instance().color(code);
    PLAT_RETV_IF(!c, EINA_FALSE, "no colour for code %s", code ? code : "(null)");
    if (r)
        *r = c->r;
    if (g)
        *g = c->g;
    if (b)
        *b = c->b;
    if (a)
        *a = c->a;
    return EINA_TRUE;
}

Eina_Bool qel_theme_get_font(const char* code, const char** style, int* size) {
    const auto* f = CurrentTheme::instance().font(code);
    PLAT_RETV_IF(!f, EINA_FALSE, "no font for code %s", code ? code : "(null)");
    if (style)
        *style = f->style.c_str();
    if (size)
        *size = f->size;
    return EINA_TRUE;
}

void qel_theme_changeable_ui_enabled_set(Eina_Bool enabled) {
    CurrentTheme::instance().changeable = enabled;
}

Eina_Bool qel_theme_changeable_ui_enabled_get(void) {
    return CurrentTheme::instance().changeable;
}
}
