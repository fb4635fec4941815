// First: it switches on the accessibility API before anything includes Elementary.
#include "common/popup/AccessApi.h"

#include "list/MLItem/MLItemFixed.h"

#include "common/CommonUiHelper.h"

#include <cstring>

namespace msg_app {
namespace msg_list {

MLItemFixed::MLItemFixed(const char* itemStyle, const char* textId, Elm_Object_Select_Mode selectMode)
    : _itemStyle(itemStyle), _textId(textId), _selectMode(selectMode) {}

Elm_Genlist_Item_Class* MLItemFixed::getItemClassNew() {
    Elm_Genlist_Item_Class* itc = WGenlistItem::getItemClassNew();
    if (!itc)
        return nullptr;
    itc->item_style = _itemStyle;
    itc->func.text_get = _textId ? _textGetCb : nullptr;
    return itc;
}

void MLItemFixed::onSetElmObjectItem(Elm_Object_Item* item) {
    elm_genlist_item_select_mode_set(item, _selectMode);
}

std::string MLItemFixed::getText() const {
    return _textId ? common_ui_helper::get_text(_textId) : std::string();
}

void MLItemFixed::setAccessDescription(Elm_Object_Item* item, const std::string& description) {
    efl_access_object_description_set(item, description.c_str());
    efl_access_object_reading_info_type_set(item, EFL_ACCESS_READING_INFO_TYPE_DESCRIPTION);
}

char* MLItemFixed::_textGetCb(void* data, Evas_Object* /*obj*/, const char* /*part*/) {
    auto* self = static_cast<MLItemFixed*>(data);
    return strdup(self->getText().c_str());
}

} // namespace msg_list
} // namespace msg_app
