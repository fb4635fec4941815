#include "FrameCapture.h"

#include "PendingAct.h"
#include "ShotScreens.h"

#include "common/MsgLog.h"

#include <Ecore_Evas.h>

namespace msg_shot {

namespace {

constexpr double CHECK_INTERVAL = 0.02;

} // namespace

FrameCapture::FrameCapture(Evas_Object* win, double quietSeconds, double limitSeconds)
    : _win(win), _quiet(quietSeconds), _limit(limitSeconds) {
    evas_event_callback_add(evas_object_evas_get(win), EVAS_CALLBACK_RENDER_POST, _renderPostCb, this);
    evas_object_smart_callback_add(win, msg_app::shell::CAPTURE_EVENT, _captureRequestedCb, this);
}

FrameCapture::~FrameCapture() {
    evas_event_callback_del_full(evas_object_evas_get(_win), EVAS_CALLBACK_RENDER_POST, _renderPostCb, this);
    evas_object_smart_callback_del_full(_win, msg_app::shell::CAPTURE_EVENT, _captureRequestedCb, this);
}

void FrameCapture::_captureRequestedCb(void* data, Evas_Object*, void*) {
    auto* self = static_cast<FrameCapture*>(data);
    if (self->_framesAtRequest < 0)
        self->_framesAtRequest = self->_frames;
}

void FrameCapture::_renderPostCb(void* data, Evas*, void*) {
    auto* self = static_cast<FrameCapture*>(data);
    ++self->_frames;
    self->_lastFrame = ecore_time_get();
}

Eina_Bool FrameCapture::_checkCb(void* data) {
    auto* self = static_cast<FrameCapture*>(data);
    double now = ecore_time_get();
    bool requested = self->_framesAtRequest >= 0 && self->_frames > self->_framesAtRequest;
    // A screen's act still to come would change the frame.
    bool settled = requested || (self->_frames > 0 && now - self->_lastFrame >= self->_quiet &&
                                 msg_app::shell::PendingAct::count() == 0);
    if (settled || now - self->_start >= self->_limit) {
        ecore_main_loop_quit();
        return ECORE_CALLBACK_CANCEL;
    }
    return ECORE_CALLBACK_RENEW;
}

bool FrameCapture::waitUntilSettled() {
    _start = ecore_time_get();
    ecore_timer_add(CHECK_INTERVAL, _checkCb, this);
    ecore_main_loop_begin();
    return _frames > 0;
}

bool FrameCapture::save(const char* path) const {
    Ecore_Evas* ee = ecore_evas_ecore_evas_get(evas_object_evas_get(_win));
    int w = 0, h = 0;
    ecore_evas_geometry_get(ee, nullptr, nullptr, &w, &h);
    const void* pixels = ecore_evas_buffer_pixels_get(ee);
    MSG_RETV_IF(!pixels || w <= 0 || h <= 0, false, "no frame (is ELM_ENGINE=buffer set?)");
    Evas_Object* image = evas_object_image_filled_add(evas_object_evas_get(_win));
    evas_object_image_colorspace_set(image, EVAS_COLORSPACE_ARGB8888);
    evas_object_image_alpha_set(image, EINA_FALSE);
    evas_object_image_size_set(image, w, h);
    evas_object_image_data_copy_set(image, const_cast<void*>(pixels));
    bool saved = evas_object_image_save(image, path, nullptr, "compress=9");
    evas_object_del(image);
    MSG_RETV_IF(!saved, false, "cannot save %s", path);
    return true;
}

} // namespace msg_shot
