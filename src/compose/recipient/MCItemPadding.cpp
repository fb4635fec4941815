#include "compose/recipient/MCItemPadding.h"

namespace msg_app {
namespace compose {

Elm_Genlist_Item_Class* MCItemPadding::getItemClassNew() {
    Elm_Genlist_Item_Class* itc = WGenlistItem::getItemClassNew();
    if (itc)
        itc->item_style = _style.c_str();
    return itc;
}

void MCItemPadding::onSetElmObjectItem(Elm_Object_Item* item) {
    elm_genlist_item_select_mode_set(item, ELM_OBJECT_SELECT_MODE_DISPLAY_ONLY);
}

} // namespace compose
} // namespace msg_app
