#ifndef QEL_CURRENTTHEME_H
#define QEL_CURRENTTHEME_H

#include "ThemeTables.h"

namespace qel {

// The tables in force and the changeable-UI switch.
class CurrentTheme {
public:
    static CurrentTheme& instance();

    bool setColors(_Qel_Theme_Color_Table* table);
    bool setFonts(_Qel_Theme_Font_Table* table);
    void forget(const _Qel_Theme_Color_Table* table);
    void forget(const _Qel_Theme_Font_Table* table);
    const _Qel_Theme_Color_Table::Color* color(const char* code) const;
    const _Qel_Theme_Font_Table::Font* font(const char* code) const;

    bool changeable = true;

private:
    _Qel_Theme_Color_Table* _colors = nullptr;
    _Qel_Theme_Font_Table* _fonts = nullptr;
};

} // namespace qel

#endif
