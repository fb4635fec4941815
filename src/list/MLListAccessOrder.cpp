// First: it opens the accessibility API before Elementary is included.
#include "common/popup/AccessApi.h"

#include "list/MLListAccessOrder.h"

#include "common/CommonUiHelper.h"
#include "common/CommonUtil.h"
#include "common/MsgLog.h"
#include "common/view/MCommonSelectMode.h"
#include "list/MLItem/MLItemButtonMenu.h"
#include "list/MLItem/MLItemContent.h"

namespace msg_app {
namespace msg_list {

namespace {
MLItem* rowOf(Elm_Object_Item* item) {
    return item ? static_cast<MLItem*>(elm_object_item_data_get(item)) : nullptr;
}
} // namespace

void MLListAccessOrder::rebuild() {
    Eina_List* realized = elm_genlist_realized_items_get(_genlist);
    void* data = nullptr;
    Eina_List* l = nullptr;
    // Old links would keep pointing at rows that moved or went.
    EINA_LIST_FOREACH(realized, l, data) {
        efl_access_object_relationships_clear(static_cast<Elm_Object_Item*>(data));
    }
    EINA_LIST_FOREACH(realized, l, data) {
        link(static_cast<Elm_Object_Item*>(data));
    }
    eina_list_free(realized);
}

void MLListAccessOrder::link(Elm_Object_Item* item) {
    if (!common_util::is_screen_reader_enabled())
        return;
    MLItem* row = rowOf(item);
    if (!row)
        return;
    switch (row->getType()) {
    case MLItem::GROUP_INDEX:
        _linkGroupIndex(item);
        break;
    case MLItem::BUTTON_MENU:
        _linkButtonMenu(static_cast<MLItemButtonMenu*>(row), item);
        break;
    case MLItem::CONTENT:
        static_cast<MLItemContent*>(row)->setAccessInfoActionCb();
        if (item == elm_genlist_last_item_get(_genlist)) {
            _linkLastItem(item);
        } else {
            MSG_LOGD("> other contents");
            common_ui_helper::set_access_previous_next(elm_genlist_item_prev_get(item), item);
        }
        break;
    default:
        break;
    }
}

void MLListAccessOrder::_linkGroupIndex(Elm_Object_Item* item) {
    MSG_LOGD("> group_index");
    MLItem* prev = rowOf(elm_genlist_item_prev_get(item));
    if (!_select.isOn()) {
        if (prev && prev->getType() == MLItem::BUTTON_MENU)
            static_cast<MLItemButtonMenu*>(prev)->setAccessNextObj(item);
        return;
    }
    Evas_Object* countBtn = _select.getCountButton();
    if (!countBtn)
        return;
    common_ui_helper::set_access_previous_next(item, countBtn);
    if (Elm_Object_Item* next = elm_genlist_item_next_get(item))
        common_ui_helper::set_access_previous_next(countBtn, next);
}

void MLListAccessOrder::_linkButtonMenu(MLItemButtonMenu* menu, Elm_Object_Item* item) {
    MSG_LOGD("> title_button");
    bool forcedHighlightOnTop = false;
    menu->setAccessInnerOrder(&forcedHighlightOnTop);
    if (_select.isOn())
        return;
    if (_optionCue)
        menu->setAccessPreviousObj(_optionCue());
    if (Elm_Object_Item* next = elm_genlist_item_next_get(item))
        menu->setAccessNextObj(next);
}

void MLListAccessOrder::_linkLastItem(Elm_Object_Item* item) {
    MSG_LOGD("> last_item");
    if (Elm_Object_Item* prev = elm_genlist_item_prev_get(item))
        common_ui_helper::set_access_previous_next(prev, item);
    if (Evas_Object* bottomButton = _select.getBottomButton())
        common_ui_helper::set_access_previous_next(item, bottomButton);
}

} // namespace msg_list
} // namespace msg_app
