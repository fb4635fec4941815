#include "viewer/MVItem/MVItemFixed.h"

#include "common/CommonUiHelper.h"

#include <cstdlib>
#include <cstring>

namespace msg_app {
namespace msg_viewer {

MVItemFixed::MVItemFixed(const char* itemStyle) : _itemStyle(itemStyle) {}

Elm_Genlist_Item_Class* MVItemFixed::getItemClassNew() {
    Elm_Genlist_Item_Class* itc = WGenlistItem::getItemClassNew();
    if (!itc)
        return nullptr;
    itc->item_style = _itemStyle;
    itc->func.text_get = _textGetCb;
    itc->func.content_get = _anchorGetCb;
    return itc;
}

void MVItemFixed::onSetElmObjectItem(Elm_Object_Item* item) {
    elm_genlist_item_select_mode_set(item, ELM_OBJECT_SELECT_MODE_NONE);
}

char* MVItemFixed::_textGetCb(void* data, Evas_Object* /*obj*/, const char* part) {
    if (!data || !part || strcmp(part, "elm.text") != 0)
        return nullptr;
    std::string text = static_cast<MVItemFixed*>(data)->getText();
    if (text.empty())
        return nullptr;
    // Names and dates are text; the theme's text part would take them as markup.
    return strdup(common_ui_helper::to_label_markup(text, false).c_str());
}

Evas_Object* MVItemFixed::_anchorGetCb(void* /*data*/, Evas_Object* obj, const char* part) {
    if (!part || strcmp(part, "elm.icon") != 0)
        return nullptr;
    // Nothing to draw: it lets the row's drawn object be found, so that the reply gesture lifts
    // this row with the bubbles.
    Evas_Object* anchor = evas_object_rectangle_add(evas_object_evas_get(obj));
    evas_object_color_set(anchor, 0, 0, 0, 0);
    evas_object_pass_events_set(anchor, EINA_TRUE);
    return anchor;
}

} // namespace msg_viewer
} // namespace msg_app
