#include "compose/body/MCItemBodyPadding.h"

namespace msg_app {
namespace compose {

Elm_Genlist_Item_Class* MCItemBodyPadding::getItemClassNew() {
    Elm_Genlist_Item_Class* itc = WGenlistItem::getItemClassNew();
    if (itc)
        itc->item_style = _style;
    return itc;
}

void MCItemBodyPadding::onSetElmObjectItem(Elm_Object_Item* item) {
    elm_genlist_item_select_mode_set(item, ELM_OBJECT_SELECT_MODE_NONE);
}

} // namespace compose
} // namespace msg_app
