#include "RotarySelector.h"

#include "efl_ext/Theme.h"
#include "log/PlatformLog.h"

#include <cmath>
#include <cstdlib>
#include <map>
#include <string>

namespace eext {

namespace {

const char* const DATA_KEY = "eext.rotary_selector";
const char* const MAIN_TEXT = "selector,main_text";
const char* const SUB_TEXT = "selector,sub_text";

struct ItemData {
    RotarySelector* selector;
    std::map<std::string, std::string> texts;
};

ItemData* dataOf(const Eext_Object_Item* item) {
    return item ? static_cast<ItemData*>(item->_private) : nullptr;
}

} // namespace

RotarySelector::RotarySelector(Evas_Object* layout, Evas_Object* box, Evas_Object* owner)
    : _layout(layout), _box(box), _owner(owner) {
    evas_object_data_set(layout, DATA_KEY, this);
    evas_object_event_callback_add(layout, EVAS_CALLBACK_DEL, _layoutDelCb, this);
    elm_layout_signal_callback_add(layout, "mouse,clicked,1", "selector,content", _middleClickedCb, this);
    elm_box_layout_set(box, _layoutBoxCb, this, nullptr);
}

RotarySelector::~RotarySelector() {
    // The box outlives this by a moment: it must not lay out through us.
    elm_box_layout_set(_box, evas_object_box_layout_vertical, nullptr, nullptr);
    // Items die with the box (they are its children); only their records stay.
    void* data;
    EINA_LIST_FREE(_items, data) {
        auto* item = static_cast<Eext_Object_Item*>(data);
        evas_object_event_callback_del_full(item->obj, EVAS_CALLBACK_DEL, _itemDelCb, item);
        delete dataOf(item);
        delete item;
    }
}

RotarySelector* RotarySelector::create(Evas_Object* parent, Evas_Object* owner) {
    Evas_Object* layout = Theme::addLayout(parent, "rotary_selector", "base");
    PLAT_RETV_IF(!layout, nullptr, "selector layout failed");
    Evas_Object* box = elm_box_add(layout);
    elm_object_part_content_set(layout, "eext.swallow.items", box);
    return new RotarySelector(layout, box, owner);
}

RotarySelector* RotarySelector::fromObject(const Evas_Object* obj) {
    return obj ? static_cast<RotarySelector*>(evas_object_data_get(obj, DATA_KEY)) : nullptr;
}

int RotarySelector::_themeValue(const char* key, int fallback) const {
    const char* value = edje_object_data_get(elm_layout_edje_get(_layout), key);
    int number = value ? atoi(value) : 0;
    return number > 0 ? number : fallback;
}

Eext_Object_Item* RotarySelector::add(bool append) {
    Evas_Object* obj = Theme::addLayout(_box, "rotary_selector", "item");
    PLAT_RETV_IF(!obj, nullptr, "item layout failed");
    auto* item = new Eext_Object_Item{obj, _owner, new ItemData{this, {}}};
    elm_layout_signal_callback_add(obj, "mouse,clicked,1", "bg", _itemClickedCb, item);
    evas_object_event_callback_add(obj, EVAS_CALLBACK_DEL, _itemDelCb, item);
    if (append) {
        elm_box_pack_end(_box, obj);
        _items = eina_list_append(_items, item);
    } else {
        elm_box_pack_start(_box, obj);
        _items = eina_list_prepend(_items, item);
    }
    elm_box_recalculate(_box);
    return item;
}

void RotarySelector::clear() {
    while (_items)
        evas_object_del(static_cast<Eext_Object_Item*>(eina_list_data_get(_items))->obj);
}

int RotarySelector::_indexOf(const Eext_Object_Item* item) const {
    int index = 0;
    const Eina_List* l;
    void* data;
    EINA_LIST_FOREACH(_items, l, data) {
        if (data == item)
            return index;
        ++index;
    }
    return -1;
}

void RotarySelector::select(Eext_Object_Item* item) {
    if (item == _selected || (item && _indexOf(item) < 0))
        return;
    if (_selected)
        elm_layout_signal_emit(_selected->obj, "eext,state,unselected", "eext");
    _selected = item;
    if (item)
        elm_layout_signal_emit(item->obj, "eext,state,selected", "eext");
    _showTexts();
    elm_box_recalculate(_box);
    if (item)
        evas_object_smart_callback_call(_owner, "item,selected", item);
}

void RotarySelector::selectDefault() {
    if (!_selected && _items)
        select(static_cast<Eext_Object_Item*>(eina_list_data_get(_items)));
}

void RotarySelector::rotate(Eext_Rotary_Event_Direction direction) {
    int count = static_cast<int>(eina_list_count(_items));
    if (count == 0)
        return;
    int index = _indexOf(_selected);
    if (index < 0)
        index = 0;
    else if (direction == EEXT_ROTARY_EVENT_DIRECTION_CLOCKWISE)
        index = std::min(index + 1, count - 1);
    else
        index = std::max(index - 1, 0);
    select(static_cast<Eext_Object_Item*>(eina_list_nth(_items, static_cast<unsigned>(index))));
}

void RotarySelector::_showTexts() {
    elm_object_part_text_set(_layout, MAIN_TEXT, _selected ? text(_selected, MAIN_TEXT) : nullptr);
    elm_object_part_text_set(_layout, SUB_TEXT, _selected ? text(_selected, SUB_TEXT) : nullptr);
}

void RotarySelector::setText(Eext_Object_Item* item, const char* part, const char* value) {
    ItemData* data = dataOf(item);
    PLAT_RET_IF(!data, "item is NULL");
    PLAT_RET_IF(!part, "part is NULL");
    if (value)
        data->texts[part] = value;
    else
        data->texts.erase(part);
    if (data->selector->_selected == item)
        data->selector->_showTexts();
}

const char* RotarySelector::text(const Eext_Object_Item* item, const char* part) {
    ItemData* data = dataOf(item);
    if (!data || !part)
        return nullptr;
    auto found = data->texts.find(part);
    return found == data->texts.end() ? nullptr : found->second.c_str();
}

void RotarySelector::_click(Eext_Object_Item* item) {
    select(item);
    evas_object_smart_callback_call(_owner, "item,clicked", item);
}

void RotarySelector::_forget(Eext_Object_Item* item) {
    _items = eina_list_remove(_items, item);
    if (_selected == item) {
        _selected = nullptr;
        _showTexts();
    }
    delete dataOf(item);
    delete item;
}

// Items of the selected item's page sit on a ring, the first at the top and
// the rest clockwise; items of other pages are hidden.
void RotarySelector::_layoutBoxCb(Evas_Object*, Evas_Object_Box_Data* priv, void* data) {
    auto* self = static_cast<RotarySelector*>(data);
    int x, y, w, h;
    evas_object_geometry_get(self->_layout, &x, &y, &w, &h);
    double scale = elm_config_scale_get();
    int size = static_cast<int>(self->_themeValue("item_size", 76) * scale + 0.5);
    double radius = self->_themeValue("ring_radius", 128) * scale;
    int perPage = self->_themeValue("items_per_page", 8);
    int page = std::max(self->_indexOf(self->_selected), 0) / perPage;
    int index = 0;
    Eina_List* l;
    void* opt;
    EINA_LIST_FOREACH(priv->children, l, opt) {
        Evas_Object* child = static_cast<Evas_Object_Box_Option*>(opt)->obj;
        int slot = index - page * perPage;
        ++index;
        if (slot < 0 || slot >= perPage) {
            evas_object_hide(child);
            continue;
        }
        double angle = -M_PI / 2 + slot * 2 * M_PI / perPage;
        int cx = x + w / 2 + static_cast<int>(std::lround(radius * cos(angle)));
        int cy = y + h / 2 + static_cast<int>(std::lround(radius * sin(angle)));
        evas_object_move(child, cx - size / 2, cy - size / 2);
        evas_object_resize(child, size, size);
        evas_object_show(child);
    }
}

void RotarySelector::_layoutDelCb(void* data, Evas*, Evas_Object*, void*) {
    delete static_cast<RotarySelector*>(data);
}

void RotarySelector::_itemDelCb(void* data, Evas*, Evas_Object*, void*) {
    auto* item = static_cast<Eext_Object_Item*>(data);
    dataOf(item)->selector->_forget(item);
}

void RotarySelector::_itemClickedCb(void* data, Evas_Object*, const char*, const char*) {
    auto* item = static_cast<Eext_Object_Item*>(data);
    dataOf(item)->selector->_click(item);
}

void RotarySelector::_middleClickedCb(void* data, Evas_Object*, const char*, const char*) {
    auto* self = static_cast<RotarySelector*>(data);
    if (self->_selected)
        self->_click(self->_selected);
}

} // namespace eext
