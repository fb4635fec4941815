/*
 * A bubble's pressed and checked looks, as signals to its text widget's
 * theme. The widget remembers the look it was given, and a signal goes only
 * when the look changes: a text widget taken over by another bubble is mostly
 * released and unchecked already, and each release signal runs the theme's
 * fade for a fifth of a second, every frame, on every bubble scrolled in.
 */
#ifndef MSG_APP_VIEWER_MVITEM_MVBUBBLELOOK_H
#define MSG_APP_VIEWER_MVITEM_MVBUBBLELOOK_H

#include <Evas.h>

namespace msg_app {
namespace msg_viewer {

class MVBubbleLook {
public:
    // Once for each text widget built: a theme loaded again (another side, another direction)
    // starts released and unchecked, and the widget's memory of its look follows.
    static void follow(Evas_Object* label);
    static void setPressed(Evas_Object* label, bool pressed);
    static void setChecked(Evas_Object* label, bool checked);

private:
    static void _set(Evas_Object* label, const char* key, bool on, const char* onSignal,
                     const char* offSignal);
    static void _themeChangedCb(void* data, Evas_Object* label, void* eventInfo);
};

} // namespace msg_viewer
} // namespace msg_app

#endif // MSG_APP_VIEWER_MVITEM_MVBUBBLELOOK_H
