#include "SendScreen.h"

#include "common/MsgLog.h"

#include <Elementary.h>

namespace msg_app {
namespace compose {

SendScreen::~SendScreen() {
    if (_startJob)
        ecore_job_del(_startJob);
}

Evas_Object* SendScreen::onCreateView(Evas_Object* parent, void*) {
    Evas_Object* bg = elm_bg_add(parent);
    MSG_RETV_IF(!bg, nullptr, "elm_bg_add() failed");
    elm_bg_color_set(bg, 0, 0, 0);
    evas_object_show(bg);
    return bg;
}

void SendScreen::onCreated() {
    // The flow attaches popups to this page, so it starts once the page is pushed.
    _startJob = ecore_job_add(_startJobCb, this);
}

void SendScreen::_startJobCb(void* data) {
    auto* self = static_cast<SendScreen*>(data);
    self->_startJob = nullptr;
    self->_flow = std::make_unique<SendFlow>(self, self->_request, self->_appControlType);
    self->_flow->start();
}

} // namespace compose
} // namespace msg_app
