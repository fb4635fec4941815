#ifndef QEL_WIDGETOPTIONS_H
#define QEL_WIDGETOPTIONS_H

#include <Elementary.h>

namespace qel {

// Per-widget switches of the extension, kept on the widget itself.
class WidgetOptions {
public:
    static constexpr const char* BOTTOM_MARGIN_KEY = "qel.genlist.bottom_margin";
    static constexpr const char* CONTENT_REUSE_KEY = "qel.genlist.content_reuse";
    // Read by the circle genlist of the EFL extension: glide or jump per detent.
    static constexpr const char* AUTO_SCROLL_OFF_KEY = "qel.scroller.auto_scroll_off";

    static bool isWidget(const Evas_Object* obj, const char* type);
    static void setFlag(Evas_Object* obj, const char* key, bool on);
    static bool flag(const Evas_Object* obj, const char* key);
};

} // namespace qel

#endif
