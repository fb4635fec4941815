/*
 * The application's look: its Elementary theme (the default theme extended
 * with the application's layouts) and the UI extension's colour and font
 * tables, plus the colour overrides a few screens apply. Main loop only.
 */
#ifndef MSG_APP_COMMON_MCOMMONTHEME_H
#define MSG_APP_COMMON_MCOMMONTHEME_H

#include <Elementary.h>
#include <qel.h>

namespace msg_app {

class MCommonTheme {
public:
    static MCommonTheme* getInstance();

    // Builds the theme and makes the tables current; obj (optional) gets the theme. False when
    // the theme or a table could not be loaded (what did load stays in use).
    bool init(Evas_Object* obj);
    void deinit();
    bool setObjectTheme(Evas_Object* obj);
    Elm_Theme* getTheme() const { return _theme; }

    void changeDetailBgColor(Evas_Object* obj);
    void changeScrollBarColor(Evas_Object* obj);
    void changeScrollEndEffectColor(Evas_Object* obj);
    // Kept for callers of the common look; the background needs no override.
    void changeBgColor(Evas_Object* obj);

private:
    MCommonTheme() = default;
    ~MCommonTheme();
    MCommonTheme(const MCommonTheme&) = delete;
    MCommonTheme& operator=(const MCommonTheme&) = delete;

    static void _destroy();

    static MCommonTheme* _instance;
    Elm_Theme* _theme = nullptr;
    Qel_Theme_Color_Table* _colorTable = nullptr;
    Qel_Theme_Font_Table* _fontTable = nullptr;
};

} // namespace msg_app

#endif
