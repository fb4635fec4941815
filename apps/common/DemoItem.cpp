#include "DemoItem.h"

#include <cstring>

namespace msg_app {
namespace shell {

DemoItem::DemoItem(const char* style, const char* text, std::function<void()> onSelected)
    : _style(style), _text(text), _onSelected(std::move(onSelected)) {}

Elm_Genlist_Item_Class* DemoItem::getItemClassNew() {
    Elm_Genlist_Item_Class* itc = WGenlistItem::getItemClassNew();
    itc->item_style = _style;
    itc->func.text_get = _textCb;
    return itc;
}

void DemoItem::onSelect(Elm_Object_Item* item) {
    elm_genlist_item_selected_set(item, EINA_FALSE);
    if (_onSelected)
        _onSelected();
}

char* DemoItem::_textCb(void* data, Evas_Object*, const char* part) {
    if (strcmp(part, "elm.text") != 0)
        return nullptr;
    return strdup(static_cast<DemoItem*>(data)->_text.c_str());
}

} // namespace shell
} // namespace msg_app
