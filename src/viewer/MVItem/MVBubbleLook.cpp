#include "viewer/MVItem/MVBubbleLook.h"

#include <Elementary.h>

namespace msg_app {
namespace msg_viewer {

namespace {
constexpr const char* PRESSED_KEY = "msg.viewer.look.pressed";
constexpr const char* CHECKED_KEY = "msg.viewer.look.checked";
} // namespace

void MVBubbleLook::follow(Evas_Object* label) {
    evas_object_smart_callback_add(label, "theme,changed", _themeChangedCb, nullptr);
}

void MVBubbleLook::setPressed(Evas_Object* label, bool pressed) {
    _set(label, PRESSED_KEY, pressed, "elm,state,bg,pressed", "elm,state,bg,released");
}

void MVBubbleLook::setChecked(Evas_Object* label, bool checked) {
    _set(label, CHECKED_KEY, checked, "elm,state,bg,selected", "elm,state,bg,unselected");
}

void MVBubbleLook::_set(Evas_Object* label, const char* key, bool on, const char* onSignal,
                        const char* offSignal) {
    if (!label || (evas_object_data_get(label, key) != nullptr) == on)
        return;
    if (on)
        evas_object_data_set(label, key, label);
    else
        evas_object_data_del(label, key);
    elm_object_signal_emit(label, on ? onSignal : offSignal, "*");
}

void MVBubbleLook::_themeChangedCb(void* /*data*/, Evas_Object* label, void* /*eventInfo*/) {
    evas_object_data_del(label, PRESSED_KEY);
    evas_object_data_del(label, CHECKED_KEY);
}

} // namespace msg_viewer
} // namespace msg_app
