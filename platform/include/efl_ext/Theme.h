#ifndef EEXT_THEME_H
#define EEXT_THEME_H

#include <Elementary.h>

#include <string>

namespace eext {

// The extension's own theme file, added once to Elementary's default theme
// as an extension so that its layouts take styles like any widget.
class Theme {
public:
    static const std::string& file();
    // Adds the theme extension on first use; false when the file is missing.
    static bool ensure();
    // An Elementary layout themed from the extension ("elm/klass/group/style").
    static Evas_Object* addLayout(Evas_Object* parent, const char* klass, const char* group);
    // A plain Edje object of an extension group.
    static Evas_Object* addEdje(Evas* evas, const char* group);
};

} // namespace eext

#endif
