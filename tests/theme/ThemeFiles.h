#ifndef MSG_TESTS_THEME_THEMEFILES_H
#define MSG_TESTS_THEME_THEMEFILES_H

#include "Programs.h"

#include <Elementary.h>

#include <string>

namespace msg_test {

// The compiled theme files and tables, in the resource folder of Programs.h.
std::string messageEdj();
std::string imagesEdj();
std::string tablePath(const char* fileName);

// A theme based on the default one with the application's file as its
// extension, as the application builds it; freed on destruction.
class ThemeWithExtension {
public:
    ThemeWithExtension();
    ~ThemeWithExtension();
    ThemeWithExtension(const ThemeWithExtension&) = delete;
    ThemeWithExtension& operator=(const ThemeWithExtension&) = delete;

    Elm_Theme* get() const { return _theme; }
    void applyTo(Evas_Object* obj) const { elm_object_theme_set(obj, _theme); }

private:
    Elm_Theme* _theme = nullptr;
};

// Saves what the window's buffer canvas shows as a PNG; false on failure.
bool saveWindowPng(Evas_Object* win, const std::string& path);
// Saves the window and prints the file's path, or says on stderr that it could not.
bool saveWindowPngReporting(Evas_Object* win, const std::string& path);
// Paints the black outside of the watch's round screen over a 360 x 360 window.
void addRoundFrame(Evas_Object* win);

} // namespace msg_test

#endif
