#include "block/MBItem/MBItem.h"

#include "common/CommonUiHelper.h"

#include <cstring>

namespace msg_app {
namespace msg_block {

MBItem::MBItem(const char* itemStyle) : _itemStyle(itemStyle) {}

Elm_Genlist_Item_Class* MBItem::getItemClassNew() {
    Elm_Genlist_Item_Class* itc = WGenlistItem::getItemClassNew();
    if (!itc)
        return nullptr;
    itc->item_style = _itemStyle;
    itc->func.text_get = _textGetCb;
    itc->func.content_get = _contentGetCb;
    return itc;
}

void MBItem::onSetElmObjectItem(Elm_Object_Item* item) {
    elm_genlist_item_select_mode_set(item, ELM_OBJECT_SELECT_MODE_NONE);
    setAccessInfo();
}

std::string MBItem::getText(const char* /*part*/) const {
    return std::string();
}

Evas_Object* MBItem::getContent(Evas_Object* /*parent*/, const char* /*part*/) {
    return nullptr;
}

std::string MBItem::toMarkup(const std::string& text) {
    return common_ui_helper::to_label_markup(text, true, MAX_SHOWN_BYTES);
}

int MBItem::scaled(int size) {
    double base = elm_app_base_scale_get();
    if (base <= 0.0)
        base = 1.0;
    return static_cast<int>(size * elm_config_scale_get() / base + 0.5);
}

char* MBItem::_textGetCb(void* data, Evas_Object* /*obj*/, const char* part) {
    std::string text = static_cast<MBItem*>(data)->getText(part);
    return text.empty() ? nullptr : strdup(text.c_str());
}

Evas_Object* MBItem::_contentGetCb(void* data, Evas_Object* obj, const char* part) {
    return static_cast<MBItem*>(data)->getContent(obj, part);
}

} // namespace msg_block
} // namespace msg_app
