/*
 * The composer's small widget builders: its layouts, icon buttons, the
 * message entry and the entry's styled guide text.
 */
#ifndef MC_UI_HELPER_H
#define MC_UI_HELPER_H

#include <Elementary.h>

namespace msg_app {
namespace compose {

class MCUiHelper {
public:
    // The application's base layout; a custom one comes from the message theme file.
    static Evas_Object* createLayout(Evas_Object* parent);
    static Evas_Object* createCustomLayout(Evas_Object* parent, const char* group);
    // A button of the style with the image as icon, sized for the configured scale.
    static Evas_Object* createImageButton(Evas_Object* parent, const char* style, const char* image,
                                          int width, int height);
    // An entry without the copy/paste context menu.
    static Evas_Object* createEntry(Evas_Object* parent);
    // Sets the entry's guide text in the size and colour of the guide font code.
    static bool setGuideTextStyle(Evas_Object* obj, const char* normalFontCode, const char* guideFontCode,
                                  const char* guideText);

private:
    MCUiHelper() = delete;
};

} // namespace compose
} // namespace msg_app

#endif
