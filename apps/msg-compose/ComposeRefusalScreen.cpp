#include "ComposeRefusalScreen.h"

#include "common/MsgLog.h"

#include <Elementary.h>

namespace msg_app {
namespace compose {

ComposeRefusalScreen::~ComposeRefusalScreen() {
    if (_showJob)
        ecore_job_del(_showJob);
}

Evas_Object* ComposeRefusalScreen::onCreateView(Evas_Object* parent, void* /*param*/) {
    Evas_Object* bg = elm_bg_add(parent);
    MSG_RETV_IF(!bg, nullptr, "elm_bg_add() failed");
    elm_bg_color_set(bg, 0, 0, 0);
    evas_object_show(bg);
    return bg;
}

void ComposeRefusalScreen::onCreated() {
    // The popup goes on the page once the page is pushed.
    _showJob = ecore_job_add(_showJobCb, this);
}

void ComposeRefusalScreen::_showJobCb(void* data) {
    auto* self = static_cast<ComposeRefusalScreen*>(data);
    self->_showJob = nullptr;
    view_kit::WViewController* popup = self->_popup ? self->_popup() : nullptr;
    if (!popup || !self->attachPopup(popup)) {
        MSG_LOGE("no popup to show: msg-compose process elm_exit()");
        elm_exit();
    }
}

} // namespace compose
} // namespace msg_app
