/*
 * A row of the conversation list. The list screen creates, orders and removes
 * rows; the genlist owns each one once appended.
 */
#ifndef MSG_APP_LIST_MLITEM_MLITEM_H
#define MSG_APP_LIST_MLITEM_MLITEM_H

#include "view_kit/WGenlistItem.h"

namespace msg_app {
namespace msg_list {

enum ListStyle : int {
    LIST_STYLE_NORMAL = 0,
    LIST_STYLE_SELECT = 1, // rows show check boxes
};

class MLItem : public view_kit::WGenlistItem {
public:
    enum Type : int {
        CONTENT = 0,
        TITLE = 1,
        GROUP_INDEX = 2,
        BUTTON_MENU = 3,
        MARGIN = 4,
        NO_CONTENT = 5,
    };
    enum Event : int {
        SELECTED = 0,      // selected in normal style: open it
        CHECK_CHANGED = 1, // the check state changed
    };

    virtual Type getType() const = 0;
    virtual bool isChecked() const = 0;
    virtual void setCheck(bool checked) = 0;
    virtual void setStyle(ListStyle style) = 0;

    // A size of the theme's scale in pixels of the current Elementary scale, rounded.
    static int scaled(int size);
};

} // namespace msg_list
} // namespace msg_app

#endif
