// First: it opens the accessibility API before Elementary is included.
#include "common/popup/AccessApi.h"

#include "viewer/MVItem/MVItemReply.h"

#include "common/CommonUiHelper.h"
#include "common/CommonUtil.h"
#include "common/MsgLog.h"
#include "common/ui/CommonUiHelperAccess.h"

#include <cstring>

namespace msg_app {
namespace msg_viewer {

MVItemReply::MVItemReply(int threadId, const IMVItemDataProvider* provider)
    : _threadId(threadId), _provider(provider) {}

MVItemReply::~MVItemReply() {
    if (_button) {
        evas_object_event_callback_del_full(_button, EVAS_CALLBACK_DEL, _buttonDelCb, this);
        evas_object_smart_callback_del_full(_button, "clicked", _clickedCb, this);
    }
}

Elm_Genlist_Item_Class* MVItemReply::getItemClassNew() {
    Elm_Genlist_Item_Class* itc = WGenlistItem::getItemClassNew();
    if (!itc)
        return nullptr;
    itc->item_style = "message.reply";
    itc->func.content_get = _contentGetCb;
    return itc;
}

void MVItemReply::onSetElmObjectItem(Elm_Object_Item* /*item*/) {
    updateReader();
}

void MVItemReply::updateReader() {
    Elm_Object_Item* item = getElmObjectItem();
    if (!item)
        return;
    // A screen reader works the row itself: its activation selects the row.
    bool wasAccessible = _accessible;
    _accessible = MVItem::isReaderOn();
    elm_genlist_item_select_mode_set(item, _accessible ? ELM_OBJECT_SELECT_MODE_DEFAULT
                                                       : ELM_OBJECT_SELECT_MODE_NONE);
    Evas_Object* content = _button ? elm_object_parent_widget_get(_button) : nullptr;
    if (_accessible) {
        _updateAccess(content);
        return;
    }
    if (!wasAccessible)
        return;
    // Back to what the genlist says of any row.
    efl_access_object_i18n_name_set(item, nullptr);
    efl_access_object_translation_domain_set(item, nullptr);
    efl_access_object_role_set(item, EFL_ACCESS_ROLE_LIST_ITEM);
    efl_access_object_reading_info_type_set(item, static_cast<Efl_Access_Reading_Info_Type>(0));
    efl_access_object_description_set(item, nullptr);
    for (Evas_Object* part : {content, _button}) {
        if (part)
            efl_access_object_relationship_remove(part, EFL_ACCESS_RELATION_TYPE_CONTROLLED_BY, item);
    }
}

void MVItemReply::onSelect(Elm_Object_Item* item) {
    elm_genlist_item_selected_set(item, EINA_FALSE);
    if (_accessible && _isEnabled)
        _signal.emit();
}

void MVItemReply::_updateAccess(Evas_Object* content) {
    Elm_Object_Item* item = getElmObjectItem();
    if (!item || !_accessible)
        return;
    common_ui_helper::set_access_name_role(item, NAME_ID, EFL_ACCESS_ROLE_PUSH_BUTTON);
    efl_access_object_reading_info_type_set(
        item, static_cast<Efl_Access_Reading_Info_Type>(EFL_ACCESS_READING_INFO_TYPE_NAME |
                                                        EFL_ACCESS_READING_INFO_TYPE_ROLE |
                                                        EFL_ACCESS_READING_INFO_TYPE_DESCRIPTION));
    efl_access_object_description_set(item, _isEnabled ? nullptr : common_ui_helper::get_text(DISABLED_ID));
    // The button and its frame are worked through the row.
    for (Evas_Object* part : {content, _button}) {
        if (part)
            efl_access_object_relationship_append(part, EFL_ACCESS_RELATION_TYPE_CONTROLLED_BY, item);
    }
}

void MVItemReply::setViewType(ViewType viewType) {
    if (viewType != VIEW_TYPE_NORMAL && viewType != VIEW_TYPE_SELECT) {
        MSG_LOGE("invalid viewtype");
        return;
    }
    _isEnabled = viewType == VIEW_TYPE_NORMAL;
    if (_button)
        elm_object_disabled_set(_button, !_isEnabled);
    _updateAccess(_button ? elm_object_parent_widget_get(_button) : nullptr);
}

unsigned int MVItemReply::addEventListener(std::function<void()> listener, Evas_Object* owner) {
    return _signal.addListener(std::move(listener), owner);
}

void MVItemReply::removeEventListener(unsigned int& id) {
    _signal.removeListener(id);
    id = 0;
}

Evas_Object* MVItemReply::_contentGetCb(void* data, Evas_Object* obj, const char* part) {
    if (!data || !part || strcmp(part, "elm.icon") != 0)
        return nullptr;
    return static_cast<MVItemReply*>(data)->_createContent(obj);
}

Evas_Object* MVItemReply::_createContent(Evas_Object* parent) {
    // The genlist may build the row again (to size it, then to show it) while the earlier button
    // still lives; only the newest one is this row's, and the earlier must not call back into it.
    if (_button) {
        evas_object_event_callback_del_full(_button, EVAS_CALLBACK_DEL, _buttonDelCb, this);
        evas_object_smart_callback_del_full(_button, "clicked", _clickedCb, this);
        _button = nullptr;
    }
    Evas_Object* layout = elm_layout_add(parent);
    MSG_RETV_IF(!layout, nullptr, "elm_layout_add failed");
    elm_layout_file_set(layout, common_util::get_message_edj().c_str(), "bubble/reply");
    evas_object_size_hint_weight_set(layout, EVAS_HINT_EXPAND, EVAS_HINT_EXPAND);
    evas_object_size_hint_align_set(layout, EVAS_HINT_FILL, EVAS_HINT_FILL);
    _button = elm_button_add(layout);
    elm_object_style_set(_button, "reply");
    Evas_Object* icon = elm_image_add(_button);
    bool rtl = common_util::is_rtl_supported(common_util::LANGUAGE);
    elm_image_file_set(icon, common_util::get_image_edj().c_str(),
                       rtl ? "img/option/reply_rtl" : "img/option/reply");
    elm_object_part_content_set(_button, "elm.swallow.content", icon);
    elm_object_disabled_set(_button, !_isEnabled);
    evas_object_smart_callback_add(_button, "clicked", _clickedCb, this);
    evas_object_event_callback_add(_button, EVAS_CALLBACK_DEL, _buttonDelCb, this);
    elm_object_part_content_set(layout, "elm.icon", _button);
    _updateAccess(layout);
    return layout;
}

void MVItemReply::_clickedCb(void* data, Evas_Object* /*obj*/, void* /*eventInfo*/) {
    static_cast<MVItemReply*>(data)->_signal.emit();
}

void MVItemReply::_buttonDelCb(void* data, Evas* /*e*/, Evas_Object* /*obj*/, void* /*eventInfo*/) {
    static_cast<MVItemReply*>(data)->_button = nullptr;
}

} // namespace msg_viewer
} // namespace msg_app
