/*
 * A row of the conversation. The conversation view creates, orders and
 * removes rows; the genlist owns each one once appended.
 */
#ifndef MSG_APP_VIEWER_MVITEM_MVITEM_H
#define MSG_APP_VIEWER_MVITEM_MVITEM_H

#include "view_kit/WGenlistItem.h"

namespace msg_app {
namespace msg_viewer {

enum ViewType : int {
    VIEW_TYPE_NORMAL = 0,
    VIEW_TYPE_SELECT = 1, // messages are checked for deletion
};

class MVItem : public view_kit::WGenlistItem {
public:
    enum Type : int {
        TITLE = 0,
        BUBBLE = 1,
        DATE_LINE = 2,
        REPLY = 3,
        REPLY_TEXT = 4,
        BOTTOM_PADDING = 5,
    };

    virtual Type getType() const = 0;
    virtual bool isChecked() const = 0;
    virtual void setCheck(bool checked) = 0;
    virtual void setViewType(ViewType viewType) = 0;

    // A size of the theme's scale in pixels of the current Elementary scale, rounded.
    static int scaled(int size);
    // Whether the screen reader is on, as the open conversation last saw the device's setting:
    // reading the setting for every row built would cost more than the row's words.
    static bool isReaderOn() { return _readerOn; }
    static void setReaderOn(bool on) { _readerOn = on; }

private:
    static bool _readerOn;
};

} // namespace msg_viewer
} // namespace msg_app

#endif
