/*
 * The application's look: its layouts (over the toolkit's default theme) and
 * the UI extension's colour and font tables, plus the colour overrides a few
 * screens apply. Main loop only.
 */
#ifndef MSG_APP_COMMON_MCOMMONTHEME_H
#define MSG_APP_COMMON_MCOMMONTHEME_H

#include <Elementary.h>
#include <qel.h>

#include <string>

namespace msg_app {

class MCommonTheme {
public:
    static MCommonTheme* getInstance();

    // Lays the application's layouts over the default theme and makes the tables current. False
    // when a table could not be loaded (what did load stays in use).
    bool init();
    void deinit();

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
    std::string _overlay;
    Qel_Theme_Color_Table* _colorTable = nullptr;
    Qel_Theme_Font_Table* _fontTable = nullptr;
};

} // namespace msg_app

#endif
