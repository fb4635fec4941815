// First: it switches on the accessibility API before anything includes Elementary.
#include "common/popup/AccessApi.h"

#include "compose/body/MCItemBodyOutgoingButton.h"

#include "common/CommonUiHelper.h"
#include "common/MsgLog.h"
#include "compose/MCUiHelper.h"
#include "compose/send/MCOutgoingChoice.h"

namespace msg_app {
namespace compose {

namespace {

// The buttons at rest, and how far they have shrunk and moved once the list scrolled SHRINK_SPAN.
constexpr int SHRINK_SPAN = 148;
constexpr int FULL_SIZE = 121;
constexpr int SIZE_LOSS = 57;
constexpr int PHONE_X = 46;
constexpr int PHONE_SHIFT = 63;
constexpr int WATCH_X = 193;
constexpr int WATCH_SHIFT = -6;
constexpr int TOP_Y = 105;
constexpr int RISE = 85;
} // namespace

MCItemBodyOutgoingButton::Geometry MCItemBodyOutgoingButton::geometryAt(int scrollY) {
    if (scrollY < 1)
        return {FULL_SIZE, PHONE_X, WATCH_X, TOP_Y};
    if (scrollY <= SHRINK_SPAN) {
        double t = static_cast<double>(scrollY) / SHRINK_SPAN;
        return {static_cast<int>(FULL_SIZE - SIZE_LOSS * t), static_cast<int>(PHONE_X + PHONE_SHIFT * t),
                static_cast<int>(WATCH_X + WATCH_SHIFT * t), static_cast<int>(TOP_Y - RISE * t)};
    }
    return {FULL_SIZE - SIZE_LOSS, PHONE_X + PHONE_SHIFT, WATCH_X + WATCH_SHIFT,
            TOP_Y - RISE - (scrollY - SHRINK_SPAN)};
}

MCItemBodyOutgoingButton::MCItemBodyOutgoingButton(Evas_Object* parent, ToastCb toast)
    : _parent(parent), _toast(std::move(toast)) {
    _phoneBtn = _createButton(PHONE_ICON, "WDS_TTS_TBOPT_SET_OUTGOING_NUMBER_TO_MOBILE_PHONE_NUMBER",
                              _phoneClickedCb);
    _watchBtn =
        _createButton(WATCH_ICON, "WDS_TTS_TBOPT_SET_OUTGOING_NUMBER_TO_HULM_PHONE_NUMBER", _watchClickedCb);
    updateButtonState();
    updateButtonSizeByScrollPosition(0, true);
}

MCItemBodyOutgoingButton::~MCItemBodyOutgoingButton() {
    for (Evas_Object* button : {_phoneBtn, _watchBtn}) {
        if (!button)
            continue;
        evas_object_event_callback_del_full(button, EVAS_CALLBACK_DEL, _delCb, this);
        evas_object_event_callback_del_full(button, EVAS_CALLBACK_RESIZE, _resizeCb, this);
        evas_object_del(button);
    }
}

Evas_Object* MCItemBodyOutgoingButton::_createButton(const char* icon, const char* accessId,
                                                     Evas_Smart_Cb clicked) {
    Evas_Object* button = MCUiHelper::createImageButton(_parent, BUTTON_STYLE, icon, FULL_SIZE, FULL_SIZE);
    MSG_RETV_IF(!button, nullptr, "button is nullptr");
    // Placed by hand over the list, not by a container.
    evas_object_size_hint_min_set(button, 0, 0);
    evas_object_size_hint_max_set(button, -1, -1);
    efl_access_object_i18n_name_set(button, common_ui_helper::get_text(accessId));
    evas_object_smart_callback_add(button, "clicked", clicked, this);
    evas_object_event_callback_add(button, EVAS_CALLBACK_DEL, _delCb, this);
    evas_object_event_callback_add(button, EVAS_CALLBACK_RESIZE, _resizeCb, this);
    evas_object_layer_set(button, evas_object_layer_get(_parent) + 1);
    evas_object_show(button);
    return button;
}

void MCItemBodyOutgoingButton::clipTo(Evas_Object* clipper) {
    for (Evas_Object* button : {_phoneBtn, _watchBtn}) {
        if (button)
            evas_object_clip_set(button, clipper);
    }
}

void MCItemBodyOutgoingButton::updateButtonSizeByScrollPosition(int scrollY, bool force) {
    if (!force && scrollY == _scrollY)
        return;
    _scrollY = scrollY;
    _place(geometryAt(scrollY));
}

void MCItemBodyOutgoingButton::_place(const Geometry& geometry) {
    int ox = 0;
    int oy = 0;
    evas_object_geometry_get(_parent, &ox, &oy, nullptr, nullptr);
    _btnW = geometry.size;
    if (_phoneBtn) {
        evas_object_resize(_phoneBtn, geometry.size, geometry.size);
        evas_object_move(_phoneBtn, ox + geometry.phoneX, oy + geometry.y);
    }
    if (_watchBtn) {
        evas_object_resize(_watchBtn, geometry.size, geometry.size);
        evas_object_move(_watchBtn, ox + geometry.watchX, oy + geometry.y);
    }
}

void MCItemBodyOutgoingButton::onBtnResized(Evas_Object* button) {
    int width = 0;
    evas_object_geometry_get(button, nullptr, nullptr, &width, nullptr);
    if (width == _btnW)
        return;
    MSG_LOGI("current width(%d) != _btnW(%d), It'll be resized again.", width, _btnW);
    _place(geometryAt(_scrollY));
}

void MCItemBodyOutgoingButton::_resizeCb(void* data, Evas* /*e*/, Evas_Object* obj, void* /*eventInfo*/) {
    static_cast<MCItemBodyOutgoingButton*>(data)->onBtnResized(obj);
}

void MCItemBodyOutgoingButton::_delCb(void* data, Evas* /*e*/, Evas_Object* obj, void* /*eventInfo*/) {
    auto* self = static_cast<MCItemBodyOutgoingButton*>(data);
    if (obj == self->_phoneBtn)
        self->_phoneBtn = nullptr;
    if (obj == self->_watchBtn)
        self->_watchBtn = nullptr;
}

void MCItemBodyOutgoingButton::_select(SendBy sendBy) {
    bool phone = sendBy == SendBy::PHONE || sendBy == SendBy::NMS;
    if (_phoneBtn)
        elm_object_signal_emit(_phoneBtn, phone ? "state,selected" : "state,default", "image");
    if (_watchBtn)
        elm_object_signal_emit(_watchBtn, sendBy == SendBy::HULM ? "state,selected" : "state,default",
                               "image");
}

void MCItemBodyOutgoingButton::updateButtonState() {
    _select(MCOutgoingChoice::chooseDefault());
}

void MCItemBodyOutgoingButton::_choose(SendBy road) {
    if (MCOutgoingChoice::choose(road))
        _select(road);
    else
        _showCantChange();
}

void MCItemBodyOutgoingButton::_showCantChange() {
    if (_toast)
        _toast(CANT_CHANGE_ID);
}

void MCItemBodyOutgoingButton::_phoneClickedCb(void* data, Evas_Object* /*obj*/, void* /*eventInfo*/) {
    static_cast<MCItemBodyOutgoingButton*>(data)->_choose(SendBy::PHONE);
}

void MCItemBodyOutgoingButton::_watchClickedCb(void* data, Evas_Object* /*obj*/, void* /*eventInfo*/) {
    static_cast<MCItemBodyOutgoingButton*>(data)->_choose(SendBy::HULM);
}

} // namespace compose
} // namespace msg_app
