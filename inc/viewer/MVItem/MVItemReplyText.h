/*
 * The caption under the reply button.
 */
#ifndef MSG_APP_VIEWER_MVITEM_MVITEMREPLYTEXT_H
#define MSG_APP_VIEWER_MVITEM_MVITEMREPLYTEXT_H

#include "viewer/MVItem/MVItemFixed.h"

namespace msg_app {
namespace msg_viewer {

class MVItemReplyText : public MVItemFixed {
public:
    MVItemReplyText();
    Type getType() const override { return REPLY_TEXT; }
    Elm_Genlist_Item_Class* getItemClassNew() override;

private:
    static Evas_Object* _contentGetCb(void* data, Evas_Object* obj, const char* part);
};

} // namespace msg_viewer
} // namespace msg_app

#endif
