/*
 * The phone and watch buttons that choose the road of a new message, drawn
 * over the body screen's list. They start large above the message and shrink
 * towards the top of the circle as the list scrolls, then leave with it.
 */
#ifndef MSG_APP_COMPOSE_BODY_MCITEMBODYOUTGOINGBUTTON_H
#define MSG_APP_COMPOSE_BODY_MCITEMBODYOUTGOINGBUTTON_H

#include "compose/send/MCOutgoingMgr.h"

#include <Elementary.h>

#include <functional>

namespace msg_app {
namespace compose {

class MCItemBodyOutgoingButton {
public:
    static constexpr const char* BUTTON_STYLE = "composer/transparent";
    static constexpr const char* PHONE_ICON = "img/composer/title/phone";
    static constexpr const char* WATCH_ICON = "img/composer/title/watch";
    static constexpr const char* CANT_CHANGE_ID = "WDS_MSG_TPOP_CANT_CHANGE_OUTGOING_NUMBER_ABB";

    // Where both buttons are for a scroll position, in pixels of the screen.
    struct Geometry {
        int size;
        int phoneX;
        int watchX;
        int y;
    };
    static Geometry geometryAt(int scrollY);

    // Shows a toast of the given string id on the screen.
    using ToastCb = std::function<void(const char* textId)>;

    // The buttons are children of parent, placed relative to its top left corner.
    MCItemBodyOutgoingButton(Evas_Object* parent, ToastCb toast);
    ~MCItemBodyOutgoingButton();
    MCItemBodyOutgoingButton(const MCItemBodyOutgoingButton&) = delete;
    MCItemBodyOutgoingButton& operator=(const MCItemBodyOutgoingButton&) = delete;

    void updateButtonSizeByScrollPosition(int scrollY, bool force);
    // A button drawn at another width than set is placed again once it has its size.
    void onBtnResized(Evas_Object* button);
    // Selects the button of the road a new message takes now.
    void updateButtonState();
    // The buttons are drawn only where and while the clipper is: the page's own, so that a page
    // pushed over it (the full-screen editor) does not show them.
    void clipTo(Evas_Object* clipper);

    Evas_Object* getPhoneButton() const { return _phoneBtn; }
    Evas_Object* getWatchButton() const { return _watchBtn; }

private:
    Evas_Object* _createButton(const char* icon, const char* accessId, Evas_Smart_Cb clicked);
    void _place(const Geometry& geometry);
    void _select(SendBy sendBy);
    void _showCantChange();
    void _choose(SendBy road);
    static void _phoneClickedCb(void* data, Evas_Object* obj, void* eventInfo);
    static void _watchClickedCb(void* data, Evas_Object* obj, void* eventInfo);
    static void _resizeCb(void* data, Evas* e, Evas_Object* obj, void* eventInfo);
    static void _delCb(void* data, Evas* e, Evas_Object* obj, void* eventInfo);

    Evas_Object* _parent;
    ToastCb _toast;
    Evas_Object* _phoneBtn = nullptr;
    Evas_Object* _watchBtn = nullptr;
    int _btnW = 0;
    int _scrollY = 0;
};

} // namespace compose
} // namespace msg_app

#endif
