/*
 * The empty state of a list: a title, a dimmed image and a short text, for
 * no messages, no blocked messages or no blocked numbers. Main loop only.
 */
#ifndef MSG_APP_COMMON_VIEW_MCOMMONNOITEMVIEWCONTROLLER_H
#define MSG_APP_COMMON_VIEW_MCOMMONNOITEMVIEWCONTROLLER_H

#include "view_kit/WViewController.h"

namespace msg_app {

class MCommonNoItemViewController : public view_kit::WViewController {
public:
    enum Type {
        MESSAGES = 0,
        BLOCKED_MESSAGES = 1,
        BLOCKED_NUMBERS = 2,
    };

    explicit MCommonNoItemViewController(Type type);
    ~MCommonNoItemViewController() override;

    // With the screen reader on, next is read after the text.
    void setAccessOrder(Evas_Object* next);

protected:
    Evas_Object* onCreateView(Evas_Object* parent, void* param) override;

private:
    Type _type;
};

} // namespace msg_app

#endif
