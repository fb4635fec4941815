// The screen reader's reading order through the list: the button row's two buttons, the header,
// the count button in select mode, the rows, and the bottom button after the last row.
// First: it opens the accessibility API before Elementary is included.
#include "common/popup/AccessApi.h"

#include "common/CommonUiHelper.h"
#include "common/CommonUtil.h"
#include "common/MsgLog.h"
#include "common/view/MCommonCountBtnViewController.h"
#include "list/MLItem/MLItemButtonMenu.h"
#include "list/MLItem/MLItemContent.h"
#include "list/MLListViewController.h"

namespace msg_app {
namespace msg_list {

void MLListViewController::_updatedCb(void* data, Evas_Object* /*obj*/, void* /*eventInfo*/) {
    auto* self = static_cast<MLListViewController*>(data);
    if (common_util::is_screen_reader_enabled())
        self->_rebuildAccessOrder();
}

void MLListViewController::_contentUnswallowedCb(void* /*data*/, Evas_Object* /*obj*/, void* eventInfo) {
    MLItem* row = _rowOf(static_cast<Elm_Object_Item*>(eventInfo));
    if (row && row->getType() == MLItem::CONTENT)
        static_cast<MLItemContent*>(row)->unswallow();
}

void MLListViewController::_rebuildAccessOrder() {
    Eina_List* realized = elm_genlist_realized_items_get(_genlist);
    void* data = nullptr;
    Eina_List* l = nullptr;
    // Old links would keep pointing at rows that moved or went.
    EINA_LIST_FOREACH(realized, l, data) {
        efl_access_object_relationships_clear(static_cast<Elm_Object_Item*>(data));
    }
    EINA_LIST_FOREACH(realized, l, data) {
        _setAccessOrder(static_cast<Elm_Object_Item*>(data));
    }
    eina_list_free(realized);
}

void MLListViewController::_setAccessOrder(Elm_Object_Item* item) {
    if (!common_util::is_screen_reader_enabled())
        return;
    MLItem* row = _rowOf(item);
    if (!row)
        return;
    switch (row->getType()) {
    case MLItem::GROUP_INDEX:
        _setAccessOrderOfGroupIndex(item);
        break;
    case MLItem::BUTTON_MENU:
        _setAccessOrderOfButtonMenu(static_cast<MLItemButtonMenu*>(row), item);
        break;
    case MLItem::CONTENT:
        static_cast<MLItemContent*>(row)->setAccessInfoActionCb();
        if (item == elm_genlist_last_item_get(_genlist)) {
            _setAccessOrderOfLastItem(item);
        } else {
            MSG_LOGD("> other contents");
            common_ui_helper::set_access_previous_next(elm_genlist_item_prev_get(item), item);
        }
        break;
    default:
        break;
    }
}

void MLListViewController::_setAccessOrderOfGroupIndex(Elm_Object_Item* item) {
    MSG_LOGD("> group_index");
    MLItem* prev = _rowOf(elm_genlist_item_prev_get(item));
    if (_listStyle == LIST_STYLE_NORMAL) {
        if (prev && prev->getType() == MLItem::BUTTON_MENU)
            static_cast<MLItemButtonMenu*>(prev)->setAccessNextObj(item);
        return;
    }
    auto countBtn = _countBtn.lock();
    if (!countBtn)
        return;
    common_ui_helper::set_access_previous_next(item, countBtn->getEvasObject());
    if (Elm_Object_Item* next = elm_genlist_item_next_get(item))
        common_ui_helper::set_access_previous_next(countBtn->getEvasObject(), next);
}

void MLListViewController::_setAccessOrderOfButtonMenu(MLItemButtonMenu* menu, Elm_Object_Item* item) {
    MSG_LOGD("> title_button");
    bool forcedHighlightOnTop = false;
    menu->setAccessInnerOrder(&forcedHighlightOnTop);
    if (_listStyle != LIST_STYLE_NORMAL)
        return;
    if (_getOptionCue)
        menu->setAccessPreviousObj(_getOptionCue());
    if (Elm_Object_Item* next = elm_genlist_item_next_get(item))
        menu->setAccessNextObj(next);
}

void MLListViewController::_setAccessOrderOfLastItem(Elm_Object_Item* item) {
    MSG_LOGD("> last_item");
    if (Elm_Object_Item* prev = elm_genlist_item_prev_get(item))
        common_ui_helper::set_access_previous_next(prev, item);
    if (_bottomButton)
        common_ui_helper::set_access_previous_next(item, _bottomButton);
}

} // namespace msg_list
} // namespace msg_app
