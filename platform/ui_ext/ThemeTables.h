#ifndef QEL_THEMETABLES_H
#define QEL_THEMETABLES_H

#include <map>
#include <string>

struct _Qel_Theme_Color_Table {
    struct Color {
        int r, g, b, a;
    };
    std::map<std::string, Color> colors;
};

struct _Qel_Theme_Font_Table {
    struct Font {
        std::string style;
        int size;
    };
    std::map<std::string, Font> fonts;
};

namespace qel {

// Reads the two table formats with GLib's markup parser.
class ThemeTables {
public:
    static bool parseColors(const char* file, _Qel_Theme_Color_Table& out);
    static bool parseFonts(const char* file, _Qel_Theme_Font_Table& out);
    // "#RRGGBBAA" or "#RRGGBB" (opaque).
    static bool parseColor(const char* text, _Qel_Theme_Color_Table::Color& out);
};

} // namespace qel

#endif
