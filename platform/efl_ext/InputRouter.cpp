#include "InputRouter.h"

#include "HardwareKeys.h"
#include "InputPanel.h"
#include "RotaryRouter.h"
#include "log/PlatformLog.h"

#include <cstring>
#include <map>

namespace eext {

namespace {

// Large enough for any window; events outside a window never arrive.
constexpr int CATCHER_SIZE = 1 << 15;
const char* const GRABBED_KEYS[] = {"Escape", "XF86Back", "Prior", "Next", "Menu", "F1"};

std::map<Evas*, Evas_Object*>& catchers() {
    static auto* map = new std::map<Evas*, Evas_Object*>;
    return *map;
}

} // namespace

void InputRouter::attach(Evas_Object* obj) {
    Evas* e = obj ? evas_object_evas_get(obj) : nullptr;
    if (!e || catchers().count(e))
        return;
    InputPanel::install();
    Evas_Object* catcher = evas_object_rectangle_add(e);
    evas_object_color_set(catcher, 0, 0, 0, 0);
    evas_object_repeat_events_set(catcher, EINA_TRUE);
    evas_object_layer_set(catcher, EVAS_LAYER_MAX);
    evas_object_move(catcher, 0, 0);
    evas_object_resize(catcher, CATCHER_SIZE, CATCHER_SIZE);
    evas_object_show(catcher);
    for (const char* key : GRABBED_KEYS) {
        if (!evas_object_key_grab(catcher, key, 0, 0, EINA_FALSE))
            PLAT_LOGW("cannot grab key %s", key);
    }
    evas_object_event_callback_add(catcher, EVAS_CALLBACK_MOUSE_WHEEL, _wheelCb, nullptr);
    evas_object_event_callback_add(catcher, EVAS_CALLBACK_KEY_DOWN, _keyDownCb, nullptr);
    evas_object_event_callback_add(catcher, EVAS_CALLBACK_DEL, _catcherDelCb, e);
    catchers()[e] = catcher;
}

void InputRouter::_catcherDelCb(void* data, Evas*, Evas_Object*, void*) {
    catchers().erase(static_cast<Evas*>(data));
}

void InputRouter::_wheelCb(void*, Evas* e, Evas_Object*, void* info) {
    auto* ev = static_cast<Evas_Event_Mouse_Wheel*>(info);
    if (ev->direction != 0 || ev->z == 0)
        return;
    ev->event_flags = static_cast<Evas_Event_Flags>(ev->event_flags | EVAS_EVENT_FLAG_ON_HOLD);
    RotaryRouter::instance().dispatch(
        e, ev->z > 0 ? EEXT_ROTARY_EVENT_DIRECTION_CLOCKWISE : EEXT_ROTARY_EVENT_DIRECTION_COUNTER_CLOCKWISE,
        ev->timestamp);
}

void InputRouter::_keyDownCb(void*, Evas* e, Evas_Object*, void* info) {
    auto* ev = static_cast<Evas_Event_Key_Down*>(info);
    if (!ev->key || (ev->event_flags & EVAS_EVENT_FLAG_ON_HOLD))
        return;
    bool taken = false;
    if (!strcmp(ev->key, "Escape") || !strcmp(ev->key, "XF86Back")) {
        // Like the device's back key, the first press only lowers the input panel.
        taken = InputPanel::hideOn(e) || HardwareKeys::instance().dispatch(e, EEXT_CALLBACK_BACK);
    } else if (!strcmp(ev->key, "Menu") || !strcmp(ev->key, "F1")) {
        taken = HardwareKeys::instance().dispatch(e, EEXT_CALLBACK_MORE);
    } else if (!strcmp(ev->key, "Next") || !strcmp(ev->key, "Prior")) {
        RotaryRouter::instance().dispatch(e,
                                          !strcmp(ev->key, "Next")
                                              ? EEXT_ROTARY_EVENT_DIRECTION_CLOCKWISE
                                              : EEXT_ROTARY_EVENT_DIRECTION_COUNTER_CLOCKWISE,
                                          ev->timestamp);
        taken = true;
    }
    // Held keys are ignored by the focused widget: Elementary must not act on
    // the same key a second time (its naviframe would pop on Escape).
    if (taken)
        ev->event_flags = static_cast<Evas_Event_Flags>(ev->event_flags | EVAS_EVENT_FLAG_ON_HOLD);
}

} // namespace eext
