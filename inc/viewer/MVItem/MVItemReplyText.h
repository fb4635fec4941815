/*
 * The caption under the reply button.
 */
#ifndef MSG_APP_VIEWER_MVITEM_MVITEMREPLYTEXT_H
#define MSG_APP_VIEWER_MVITEM_MVITEMREPLYTEXT_H

#include "view_kit/WSignal.h"
#include "viewer/MVItem/MVItemFixed.h"

#include <functional>

namespace msg_app {
namespace msg_viewer {

class MVItemReplyText : public MVItemFixed {
public:
    MVItemReplyText();
    Type getType() const override { return REPLY_TEXT; }
    Elm_Genlist_Item_Class* getItemClassNew() override;
    // Taken by taps as the button above it is: in normal view only.
    void setViewType(ViewType viewType) override;
    unsigned int addEventListener(std::function<void()> listener, Evas_Object* owner);

private:
    static Evas_Object* _contentGetCb(void* data, Evas_Object* obj, const char* part);

    bool _isEnabled = true;
    view_kit::WSignal<void()> _signal;
};

} // namespace msg_viewer
} // namespace msg_app

#endif
