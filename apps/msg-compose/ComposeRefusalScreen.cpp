#include "ComposeRefusalScreen.h"

#include "common/MsgLog.h"

#include <Elementary.h>

namespace msg_app {
namespace compose {

Evas_Object* ComposeRefusalScreen::onCreateView(Evas_Object* parent, void* /*param*/) {
    Evas_Object* bg = elm_bg_add(parent);
    MSG_RETV_IF(!bg, nullptr, "elm_bg_add() failed");
    elm_bg_color_set(bg, 0, 0, 0);
    evas_object_show(bg);
    return bg;
}

void ComposeRefusalScreen::onCreated() {
    // The popup goes on the page once the page is pushed.
    _showJob.start([this] {
        view_kit::WViewController* popup = _popup ? _popup() : nullptr;
        if (!popup || !attachPopup(popup)) {
            MSG_LOGE("no popup to show: msg-compose process elm_exit()");
            elm_exit();
        }
    });
}

} // namespace compose
} // namespace msg_app
