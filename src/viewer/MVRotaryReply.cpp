#include "viewer/MVRotaryReply.h"

#include "common/CommonUtil.h"
#include "common/DazoLog.h"
#include "common/MsgLog.h"
#include "viewer/MVItem/MVItem.h"
#include "viewer/MVThreadAddress.h"

#include <vector>

namespace msg_app {
namespace msg_viewer {

namespace {

// Runs before the circle list's own handler so that the end of the list can take the bezel.
constexpr int ROTARY_PRIORITY = -100;
// Tolerance for "the list is at its end".
constexpr int BOTTOM_SLACK = 1;

// A row's drawn object: the item's own layout holding its content.
Evas_Object* rowObject(Elm_Object_Item* item) {
    Evas_Object* content = elm_object_item_part_content_get(item, "elm.icon");
    if (!content)
        return nullptr;
    Evas_Object* view = evas_object_smart_parent_get(content);
    return view ? view : content;
}

} // namespace

MVRotaryReply::MVRotaryReply(Evas_Object* genlist, Host host) : _genlist(genlist), _host(std::move(host)) {
    eext_rotary_object_event_callback_priority_add(_genlist, ROTARY_PRIORITY, _rotaryCb, this);
    set_launching_animation_state_changed_cb(_stateCb, this);
    evas_object_event_callback_add(_genlist, EVAS_CALLBACK_MOUSE_MOVE, _mouseMoveCb, this);
    evas_object_event_callback_add(_genlist, EVAS_CALLBACK_MOUSE_UP, _mouseUpCb, this);
}

MVRotaryReply::~MVRotaryReply() {
    view_kit::WTimer::destroy(_endIdler);
    rotary_to_action_animation_delete();
    set_launching_animation_state_changed_cb(nullptr, nullptr);
    eext_rotary_object_event_callback_del(_genlist, _rotaryCb);
    evas_object_event_callback_del_full(_genlist, EVAS_CALLBACK_MOUSE_MOVE, _mouseMoveCb, this);
    evas_object_event_callback_del_full(_genlist, EVAS_CALLBACK_MOUSE_UP, _mouseUpCb, this);
}

bool MVRotaryReply::_isScrolledToBottom() const {
    int y = 0, h = 0, contentH = 0;
    elm_scroller_region_get(_genlist, nullptr, &y, nullptr, &h);
    elm_scroller_child_size_get(_genlist, nullptr, &contentH);
    if (h >= contentH || y + h + BOTTOM_SLACK >= contentH)
        return true;
    // The list rests with the reply button near the middle, its caption below: with the button
    // wholly in view the end is reached too.
    Evas_Object* button = _host.replyButton();
    if (!button || !evas_object_visible_get(button))
        return false;
    int listY = 0, listH = 0, buttonY = 0, buttonH = 0;
    evas_object_geometry_get(_genlist, nullptr, &listY, nullptr, &listH);
    evas_object_geometry_get(button, nullptr, &buttonY, nullptr, &buttonH);
    return buttonY >= listY && buttonY + buttonH <= listY + listH;
}

Eina_Bool MVRotaryReply::_rotaryCb(void* data, Evas_Object*, Eext_Rotary_Event_Info* info) {
    auto* self = static_cast<MVRotaryReply*>(data);
    if (info && info->direction == EEXT_ROTARY_EVENT_DIRECTION_COUNTER_CLOCKWISE)
        self->_host.onUserScroll();
    // Every detent goes on to the list's own scrolling (EINA_TRUE): away from the end that is all
    // it does, and while the reply rises the list is frozen anyway.
    if (self->_host.isSelectMode()) {
        // Checking bubbles needs the bezel to move through them; the reply waits for normal view.
        MSG_LOGI("Ignore rotary event on edit mode.");
        return EINA_TRUE;
    }
    if (!self->_isScrolledToBottom())
        return EINA_TRUE;
    if (info->direction == EEXT_ROTARY_EVENT_DIRECTION_CLOCKWISE) {
        self->_raise(false);
        increase_detent_count();
    } else if (!isAnimating() && isTop()) {
        rotary_to_action_animation_delete();
    }
    return EINA_TRUE;
}

void MVRotaryReply::_onDragMove(int y) {
    if (_host.isSelectMode() || _dragTriggered)
        return;
    // Only the part of the drag made at the end of the list counts.
    if (!_isScrolledToBottom()) {
        _dragStartY = NO_DRAG;
        return;
    }
    if (_dragStartY == NO_DRAG) {
        _dragStartY = y;
        return;
    }
    if (_dragStartY - y >= DRAG_DISTANCE) {
        _dragTriggered = true;
        _raise(true);
    }
}

void MVRotaryReply::_mouseMoveCb(void* data, Evas*, Evas_Object*, void* eventInfo) {
    auto* ev = static_cast<Evas_Event_Mouse_Move*>(eventInfo);
    // A pointer passing over the list is no drag.
    if (ev->buttons == 0)
        return;
    static_cast<MVRotaryReply*>(data)->_onDragMove(ev->cur.canvas.y);
}

void MVRotaryReply::_mouseUpCb(void* data, Evas*, Evas_Object*, void*) {
    auto* self = static_cast<MVRotaryReply*>(data);
    self->_dragStartY = NO_DRAG;
    self->_dragTriggered = false;
}

void MVRotaryReply::_raise(bool byButton) {
    if (common_util::is_screen_reader_enabled()) {
        MSG_LOGI("Rotary to action is deactivated on screen reader mode.");
        return;
    }
    std::vector<Evas_Object*> rows;
    Evas_Object* reply = nullptr;
    Evas_Object* replyText = nullptr;
    Eina_List* realized = elm_genlist_realized_items_get(_genlist);
    void* data = nullptr;
    Eina_List* node = nullptr;
    EINA_LIST_FOREACH(realized, node, data) {
        auto* item = static_cast<Elm_Object_Item*>(data);
        auto* row = static_cast<MVItem*>(elm_object_item_data_get(item));
        Evas_Object* obj = rowObject(item);
        if (!row || !obj)
            continue;
        if (row->getType() == MVItem::REPLY)
            reply = obj;
        else if (row->getType() == MVItem::REPLY_TEXT)
            replyText = obj;
        else
            rows.push_back(obj);
    }
    eina_list_free(realized);
    if (!reply || !replyText)
        return;
    if (byButton)
        rotary_to_action_animation_clockwise_by_button(_genlist, rows, reply, replyText);
    else
        rotary_to_action_animation_clockwise(_genlist, rows, reply, replyText);
}

void MVRotaryReply::_stateCb(rotate_to_action_launching_animation_state_e state, void* data) {
    auto* self = static_cast<MVRotaryReply*>(data);
    if (state == ROTATE_TO_ACTION_LAUNCHING_ANIMATION_STATE_LAUNCH) {
        if (thread_address::list(self->_host.threadId).size() > 1)
            dazo_log::insert("RMGM", "Rotate to action");
        dazo_log::insert("RPYI", "Rotate to action");
        if (self->_host.reply(true))
            return;
    }
    // A refused reply, or a finished launch, puts the rows back at rest; never from inside the
    // animation's own callback.
    if (self->_endIdler.expired())
        self->_endIdler = view_kit::WTimer::addIdler(
            [self](void*) {
                self->_endIdler.reset();
                rotary_to_action_animation_delete();
                return false;
            },
            nullptr);
}

} // namespace msg_viewer
} // namespace msg_app
