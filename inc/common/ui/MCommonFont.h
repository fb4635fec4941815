/*
 * The system font and size, as the text-class scale of the layouts. Both are
 * cached and read again when the user changes them, which is announced as
 * APP_EVENT_FONT_CHANGED. Main loop only.
 */
#ifndef MSG_APP_COMMON_MCOMMONFONT_H
#define MSG_APP_COMMON_MCOMMONFONT_H

#include "system_settings.h"

#include <string>

namespace msg_app {

class MCommonFont {
public:
    enum Size {
        SIZE_NONE = 0,
        SIZE_SMALL = 1,
        SIZE_NORMAL = 2,
        SIZE_LARGE = 3,
        SIZE_HUGE = 4,
    };

    static MCommonFont* getInstance();
    // Stops watching the settings and ends the instance.
    static void destroy();

    void init();
    // Empty when the system font cannot be read.
    const std::string& getName();
    // SIZE_NONE when the system size cannot be read (the next call reads again).
    Size getSize();
    // The text-class scale of a size: a negative percentage of the layout's size.
    static int getScale(Size size);
    // SIZE_NONE means the current size.
    bool setStyle(const char* textClass, Size size);

private:
    MCommonFont();
    ~MCommonFont();
    MCommonFont(const MCommonFont&) = delete;
    MCommonFont& operator=(const MCommonFont&) = delete;

    static void _fontTypeChangedCb(system_settings_key_e key, void* userData);
    static void _fontSizeChangedCb(system_settings_key_e key, void* userData);

    static MCommonFont* _instance;
    std::string _name;
    Size _size = SIZE_NONE;
};

} // namespace msg_app

#endif
