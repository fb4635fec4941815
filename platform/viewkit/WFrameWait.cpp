#include "view_kit/WFrameWait.h"

#include "log/PlatformLog.h"

namespace view_kit {

WFrameWait::~WFrameWait() {
    stop();
}

void WFrameWait::start(Evas* canvas, std::function<void()> onFrame) {
    stop();
    PLAT_RET_IF(!canvas, "canvas is NULL");
    PLAT_RET_IF(!onFrame, "callback is empty");
    _canvas = canvas;
    _onFrame = std::move(onFrame);
    efl_wref_add(_canvas, &_canvas);
    evas_event_callback_add(_canvas, EVAS_CALLBACK_RENDER_POST, _frameCb, this);
}

void WFrameWait::stop() {
    _onFrame = nullptr;
    if (!_canvas)
        return;
    Evas* canvas = _canvas;
    efl_wref_del(canvas, &_canvas);
    _canvas = nullptr;
    evas_event_callback_del_full(canvas, EVAS_CALLBACK_RENDER_POST, _frameCb, this);
}

void WFrameWait::_frameCb(void* data, Evas*, void*) {
    auto* self = static_cast<WFrameWait*>(data);
    // Taken out first: the callback may replace it or destroy this object.
    std::function<void()> onFrame = std::move(self->_onFrame);
    self->stop();
    if (onFrame)
        onFrame();
}

} // namespace view_kit
