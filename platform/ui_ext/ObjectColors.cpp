#include "ObjectColors.h"

#include "CurrentTheme.h"
#include "log/PlatformLog.h"
#include "qel.h"

#include <cstring>
#include <deque>

namespace qel {

namespace {

const char* const REALIZED_WATCH_KEY = "qel.item_colors";

bool isEdje(const Evas_Object* obj) {
    const char* type = evas_object_type_get(obj);
    return type && !strcmp(type, "edje");
}

// Only smart objects have members; asking a plain rectangle or image for them logs an error.
// The canvas's primitive objects are told by their fixed type names.
bool isSmart(const Evas_Object* obj) {
    static const char* const primitives[] = {"rectangle", "line",  "polygon", "text",     "textblock",
                                             "textgrid",  "image", "vectors", "snapshot", "vg"};
    const char* type = evas_object_type_get(obj);
    if (!type)
        return false;
    for (const char* primitive : primitives) {
        if (!strcmp(type, primitive))
            return false;
    }
    return true;
}

// The edje object covering exactly the given geometry below obj: a realized genlist item's
// view. Breadth first: the views are members of the list's pan, above the deep trees of the
// rows' own contents, which a depth-first search walked through row by row.
Evas_Object* findEdjeAt(Evas_Object* obj, int x, int y, int w, int h) {
    std::deque<Evas_Object*> parents{obj};
    Evas_Object* found = nullptr;
    while (!found && !parents.empty()) {
        Eina_List* members = evas_object_smart_members_get(parents.front());
        parents.pop_front();
        void* data;
        EINA_LIST_FREE(members, data) {
            auto* member = static_cast<Evas_Object*>(data);
            if (found)
                continue;
            int mx, my, mw, mh;
            evas_object_geometry_get(member, &mx, &my, &mw, &mh);
            if (isEdje(member) && mx == x && my == y && mw == w && mh == h)
                found = member;
            else if (isSmart(member))
                parents.push_back(member);
        }
    }
    return found;
}

} // namespace

ObjectColors& ObjectColors::instance() {
    static auto* colors = new ObjectColors;
    return *colors;
}

bool ObjectColors::_apply(Evas_Object* edje, const char* from, const char* to) {
    const auto* c = CurrentTheme::instance().color(to);
    PLAT_RETV_IF(!c, false, "no colour for code %s", to);
    return edje_object_color_class_set(edje, from, c->r, c->g, c->b, c->a, c->r, c->g, c->b, c->a, c->r, c->g,
                                       c->b, c->a);
}

bool ObjectColors::replace(Evas_Object* obj, const char* from, const char* to) {
    PLAT_RETV_IF(!obj, false, "obj is NULL");
    PLAT_RETV_IF(!from || !to, false, "colour code is NULL");
    PLAT_RETV_IF(!CurrentTheme::instance().color(to), false, "no colour for code %s", to);
    if (isEdje(obj))
        return _apply(obj, from, to);
    // A widget: its theme object and its own Edje members (e.g. a round scroll bar).
    bool applied = false;
    if (Evas_Object* edje = elm_layout_edje_get(obj))
        applied = _apply(edje, from, to);
    Eina_List* members = isSmart(obj) ? evas_object_smart_members_get(obj) : nullptr;
    void* data;
    EINA_LIST_FREE(members, data) {
        auto* member = static_cast<Evas_Object*>(data);
        if (isEdje(member))
            applied = _apply(member, from, to) || applied;
    }
    PLAT_RETV_IF(!applied, false, "obj has no theme object");
    return true;
}

Evas_Object* ObjectColors::_itemView(Elm_Object_Item* item) {
    Evas_Object* widget = elm_object_item_widget_get(item);
    Evas_Object* track = elm_object_item_track(item);
    if (!track)
        return nullptr;
    int x, y, w, h;
    evas_object_geometry_get(track, &x, &y, &w, &h);
    elm_object_item_untrack(item);
    return w > 0 && h > 0 ? findEdjeAt(widget, x, y, w, h) : nullptr;
}

void ObjectColors::_applyToItem(Elm_Object_Item* item) {
    auto found = _items.find(item);
    if (found == _items.end())
        return;
    Evas_Object* view = _itemView(item);
    if (!view)
        return;
    for (const auto& replacement : found->second)
        _apply(view, replacement.first.c_str(), replacement.second.c_str());
}

bool ObjectColors::replaceOnItem(Elm_Object_Item* item, const char* from, const char* to) {
    PLAT_RETV_IF(!item, false, "item is NULL");
    PLAT_RETV_IF(!from || !to, false, "colour code is NULL");
    PLAT_RETV_IF(!CurrentTheme::instance().color(to), false, "no colour for code %s", to);
    Evas_Object* widget = elm_object_item_widget_get(item);
    PLAT_RETV_IF(!widget, false, "item has no widget");
    if (!_items.count(item))
        efl_event_callback_add(item, EFL_EVENT_DEL, _itemDelCb, this);
    _items[item].emplace_back(from, to);
    if (!evas_object_data_get(widget, REALIZED_WATCH_KEY)) {
        evas_object_data_set(widget, REALIZED_WATCH_KEY, this);
        evas_object_smart_callback_add(widget, "realized", _realizedCb, this);
    }
    _scheduleApply(item);
    return true;
}

// A just realized item may not be laid out yet: apply after the layout pass too.
void ObjectColors::_scheduleApply(Elm_Object_Item* item) {
    _applyToItem(item);
    ecore_job_add(
        [](void* data) {
            auto* it = static_cast<Elm_Object_Item*>(data);
            if (instance()._items.count(it))
                instance()._applyToItem(it);
        },
        item);
}

void ObjectColors::_realizedCb(void* data, Evas_Object*, void* info) {
    auto* self = static_cast<ObjectColors*>(data);
    auto* item = static_cast<Elm_Object_Item*>(info);
    if (self->_items.count(item))
        self->_scheduleApply(item);
}

void ObjectColors::_itemDelCb(void* data, const Efl_Event* event) {
    static_cast<ObjectColors*>(data)->_items.erase(static_cast<Elm_Object_Item*>(event->object));
}

} // namespace qel

extern "C" {

Eina_Bool qel_theme_object_replace_color(Evas_Object* obj, const char* from, const char* to) {
    return qel::ObjectColors::instance().replace(obj, from, to);
}

Eina_Bool qel_theme_object_item_replace_color(Elm_Object_Item* item, const char* from, const char* to) {
    return qel::ObjectColors::instance().replaceOnItem(item, from, to);
}
}
