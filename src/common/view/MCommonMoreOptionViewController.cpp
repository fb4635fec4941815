// First: it opens the accessibility API before Elementary is included.
#include "common/popup/AccessApi.h"

#include "common/view/MCommonMoreOptionViewController.h"

#include "common/CommonUiHelper.h"
#include "common/CommonUtil.h"
#include "common/MCommonAppEventMgr.h"
#include "common/MsgLog.h"
#include "common/popup/MCommonPopup.h"
#include "common/ui/MCommonRotaryActivateMgr.h"
#include "view_kit/WTimer.h"
#include "view_kit/WWindowController.h"

#include <cstdlib>
#include <cstring>

namespace msg_app {

namespace {

constexpr const char* CONTENT_PART = "elm.swallow.content";
constexpr const char* OWNER_ITEM_KEY = "owner_item";
constexpr const char* SELECT_ITEMS_TOAST_ID = "WDS_TPLATFORM_TPOP_SELECT_ITEMS";

char* copyText(const char* text) {
    return text ? strdup(text) : nullptr;
}

// The translation as markup. A sub text may be a number or name from outside, which has no
// translation and shows as it is.
void setItemPartText(Eext_Object_Item* item, const char* part, const char* textId) {
    eext_more_option_item_part_text_set(
        item, part, common_ui_helper::to_label_markup(common_ui_helper::get_text(textId), false).c_str());
}

} // namespace

MCommonMoreOptionViewController::Item::Item(const char* main, const char* sub, ItemType itemType,
                                            ItemCb clicked, ItemCb languageChanged)
    : mainText(copyText(main)), subText(copyText(sub)), type(itemType), onClicked(std::move(clicked)),
      onLanguageChanged(std::move(languageChanged)) {}

MCommonMoreOptionViewController::Item::~Item() {
    free(mainText);
    free(subText);
}

MCommonMoreOptionViewController::MCommonMoreOptionViewController() {
    setName("MCommonMoreOptionViewController");
}

MCommonMoreOptionViewController::~MCommonMoreOptionViewController() {
    _firstFrame.stop();
    view_kit::WTimer::destroy(_pendingIdler);
    for (auto& entry : _itemMap)
        delete entry.second;
}

Evas_Object* MCommonMoreOptionViewController::onCreateView(Evas_Object* parent, void*) {
    MSG_RETV_IF(!parent, nullptr, "paresnt is NULL !!");
    Evas_Object* panel = eext_more_option_add(parent);
    MSG_RETV_IF(!panel, nullptr, "layout is NULL !!");
    evas_object_smart_callback_add(panel, "more,option,opened", _openedCb, this);
    evas_object_smart_callback_add(panel, "more,option,closed", _closedCb, this);
    evas_object_smart_callback_add(panel, "item,clicked", _itemClickedCb, this);
    evas_object_smart_callback_add(panel, "item,selected", _itemSelectedCb, this);
    return panel;
}

void MCommonMoreOptionViewController::onCreated() {
    _firstFrame.start(evas_object_evas_get(getEvasObject()), [this] {
        _frameDrawn = true;
        _scheduleBuild();
    });
    setCueVisible(true);
    MCommonAppEventMgr::getInstance()->addListener(this);
}

void MCommonMoreOptionViewController::onDestroy() {
    _firstFrame.stop();
    view_kit::WTimer::destroy(_pendingIdler);
    _pending.clear();
    MCommonAppEventMgr::getInstance()->removeListener(this);
    Evas_Object* panel = getEvasObject();
    evas_object_smart_callback_del_full(panel, "more,option,opened", _openedCb, this);
    evas_object_smart_callback_del_full(panel, "more,option,closed", _closedCb, this);
    evas_object_smart_callback_del_full(panel, "more,option,closed", _clickedItemClosedCb, this);
    evas_object_smart_callback_del_full(panel, "item,clicked", _itemClickedCb, this);
    evas_object_smart_callback_del_full(panel, "item,selected", _itemSelectedCb, this);
    // The items die with the panel after this controller; they must not call back into it.
    for (auto& entry : _itemMap) {
        evas_object_smart_callback_del_full(entry.first->obj, "language,changed", _itemLanguageChangedCb,
                                            this);
        evas_object_event_callback_del_full(entry.first->obj, EVAS_CALLBACK_DEL, _itemDelCb, this);
        delete entry.second;
    }
    _itemMap.clear();
}

bool MCommonMoreOptionViewController::setContent(Evas_Object* content) {
    MSG_RETV_IF(!getEvasObject(), false, "more option is NULL !!");
    MSG_RETV_IF(!content, false, "content is NULL !!");
    elm_object_part_content_set(getEvasObject(), CONTENT_PART, content);
    return true;
}

bool MCommonMoreOptionViewController::setContent(view_kit::WViewController* content) {
    MSG_RETV_IF(!getEvasObject(), false, "more option is NULL !!");
    MSG_RETV_IF(!content, false, "content is NULL !!");
    return setPartContent(CONTENT_PART, content);
}

bool MCommonMoreOptionViewController::switchContent(view_kit::WViewController* content) {
    MSG_RETV_IF(!getEvasObject(), false, "more option is NULL !!");
    MSG_RETV_IF(!content, false, "content is NULL !!");
    view_kit::WViewController* current = getPartContent(CONTENT_PART);
    if (current == content)
        return true;
    if (current) {
        unsetPartContent(CONTENT_PART);
        evas_object_hide(current->getEvasObject());
    }
    // A content switched out before already has its view; it only comes back.
    if (Evas_Object* view = content->getEvasObject()) {
        elm_object_part_content_set(getEvasObject(), CONTENT_PART, view);
        evas_object_show(view);
        return true;
    }
    return setPartContent(CONTENT_PART, content);
}

bool MCommonMoreOptionViewController::appendItem(const char* mainText, const char* subText,
                                                 const char* imgGroup, ItemCb onClicked,
                                                 ItemCb onLanguageChanged, ItemType type) {
    MSG_RETV_IF(!getEvasObject(), false, "more option is NULL !!");
    MSG_RETV_IF(!imgGroup, false, "imgGroup is NULL !!");
    auto text = [](const char* t) { return t ? std::optional<std::string>(t) : std::nullopt; };
    _pending.push_back(
        {text(mainText), text(subText), imgGroup, std::move(onClicked), std::move(onLanguageChanged), type});
    ++_itemCount;
    _updateCueVisible();
    if (isOpened())
        _buildPending();
    else
        _scheduleBuild();
    return true;
}

// An item's layout and icon cost as much as a row of the screen's list, for a panel that is shut:
// built when the loop idles, once the screen's first frame is drawn (the loop also idles before it,
// waiting for the frame's tick).
void MCommonMoreOptionViewController::_scheduleBuild() {
    if (!_frameDrawn || _pending.empty() || !_pendingIdler.expired())
        return;
    _pendingIdler = view_kit::WTimer::addIdler(
        [this](void*) {
            _pendingIdler.reset();
            _buildPending();
            return false;
        },
        nullptr);
}

void MCommonMoreOptionViewController::_buildPending() {
    view_kit::WTimer::destroy(_pendingIdler);
    std::vector<PendingItem> pending;
    pending.swap(_pending);
    for (PendingItem& item : pending) {
        if (!_build(item))
            --_itemCount;
    }
    _updateCueVisible();
}

Eext_Object_Item* MCommonMoreOptionViewController::_build(PendingItem& pending) {
    Evas_Object* panel = getEvasObject();
    Eext_Object_Item* item = eext_more_option_item_append(panel);
    MSG_RETV_IF(!item, nullptr, "eext_more_option_item_append() failed.");
    if (!item->obj) {
        MSG_LOGE("item->obj is NULL");
        eext_more_option_item_del(item);
        return nullptr;
    }
    elm_object_style_set(item->obj, "prod/more_option_item");
    evas_object_data_set(item->obj, OWNER_ITEM_KEY, item);
    _itemMap[item] = new Item(pending.mainText ? pending.mainText->c_str() : nullptr,
                              pending.subText ? pending.subText->c_str() : nullptr, pending.type,
                              std::move(pending.onClicked), std::move(pending.onLanguageChanged));

    _updateItemText(item);
    evas_object_smart_callback_add(item->obj, "language,changed", _itemLanguageChangedCb, this);
    Evas_Object* icon = elm_image_add(item->obj);
    if (icon) {
        elm_image_file_set(icon, common_util::get_image_edj().c_str(), pending.imgGroup.c_str());
        eext_more_option_item_part_content_set(item, "item,icon", icon);
    }
    evas_object_event_callback_add(item->obj, EVAS_CALLBACK_DEL, _itemDelCb, this);
    // Items replaced while the panel is open: the selector needs one in its centre again.
    Evas_Object* selector = eext_more_option_rotary_selector_get(panel);
    if (isOpened() && selector && !eext_rotary_selector_selected_item_get(selector))
        eext_rotary_selector_selected_item_set(selector, item);
    return item;
}

void MCommonMoreOptionViewController::clearItems() {
    Evas_Object* panel = getEvasObject();
    MSG_RET_IF(!panel, "more option is NULL !!");
    if (isOpened()) {
        MSG_LOGD("option is opened. close it");
        close();
    }
    removeItems();
}

void MCommonMoreOptionViewController::removeItems() {
    Evas_Object* panel = getEvasObject();
    MSG_RET_IF(!panel, "more option is NULL !!");
    view_kit::WTimer::destroy(_pendingIdler);
    _pending.clear();
    eext_more_option_items_clear(panel);
    _itemCount = 0;
    _updateCueVisible();
}

int MCommonMoreOptionViewController::getSelectedIndex() const {
    Evas_Object* panel = getEvasObject();
    Evas_Object* selector = panel ? eext_more_option_rotary_selector_get(panel) : nullptr;
    Eext_Object_Item* selected = selector ? eext_rotary_selector_selected_item_get(selector) : nullptr;
    int index = 0;
    const Eina_List* node = nullptr;
    void* data = nullptr;
    EINA_LIST_FOREACH(eext_more_option_items_get(panel), node, data) {
        if (data == selected)
            return index;
        ++index;
    }
    return -1;
}

bool MCommonMoreOptionViewController::setSelectedIndex(int index) {
    _buildPending();
    Evas_Object* panel = getEvasObject();
    Evas_Object* selector = panel ? eext_more_option_rotary_selector_get(panel) : nullptr;
    auto* item = static_cast<Eext_Object_Item*>(
        index >= 0 && selector
            ? eina_list_nth(eext_more_option_items_get(panel), static_cast<unsigned>(index))
            : nullptr);
    MSG_RETV_IF(!item, false, "no item at %d", index);
    eext_rotary_selector_selected_item_set(selector, item);
    return true;
}

void MCommonMoreOptionViewController::open() {
    MSG_RET_IF(!getEvasObject(), "more option is NULL !!");
    _buildPending();
    eext_more_option_opened_set(getEvasObject(), EINA_TRUE);
}

void MCommonMoreOptionViewController::close() {
    MSG_RET_IF(!getEvasObject(), "more option is NULL !!");
    eext_more_option_opened_set(getEvasObject(), EINA_FALSE);
}

bool MCommonMoreOptionViewController::isOpened() const {
    return getEvasObject() && eext_more_option_opened_get(getEvasObject());
}

void MCommonMoreOptionViewController::setOnOpened(std::function<void()> cb) {
    _onOpenedCb = std::move(cb);
}

void MCommonMoreOptionViewController::setOnClosed(std::function<void()> cb) {
    _onClosedCb = std::move(cb);
}

void MCommonMoreOptionViewController::setCueVisible(bool visible) {
    _cueVisible = visible;
    _updateCueVisible();
}

bool MCommonMoreOptionViewController::getCueVisible() const {
    return _cueVisible && _itemCount != 0;
}

void MCommonMoreOptionViewController::enableCueAutoHighlight(bool enable) {
    _cueAutoHighlight = enable;
    MSG_LOGD("_cueAutoHighlight (%d)", _cueAutoHighlight);
}

Evas_Object* MCommonMoreOptionViewController::getCueAccessObject() const {
    if (!getCueVisible() || !getEvasObject())
        return nullptr;
    Evas_Object* cue = elm_object_part_content_get(getEvasObject(), "elm.swallow.right");
    MSG_RETV_IF(!cue, nullptr, "cue is NULL !!");
    return common_ui_helper::get_access_layout_part_ao(cue, "access");
}

void MCommonMoreOptionViewController::appEventListener(MCommonAppEventType type) {
    if (type == APP_EVENT_PAUSED && isOpened())
        close();
}

void MCommonMoreOptionViewController::_updateItemText(Eext_Object_Item* item) {
    Item* data = _findItem(item);
    if (!data)
        return;
    if (data->mainText)
        setItemPartText(item, "selector,main_text", data->mainText);
    if (data->subText)
        setItemPartText(item, "selector,sub_text", data->subText);
}

void MCommonMoreOptionViewController::_updateCueVisible() {
    MSG_RET_IF(!getEvasObject(), "more option is NULL !!");
    elm_object_signal_emit(getEvasObject(), getCueVisible() ? "cue,show" : "cue,hide", "elm");
}

MCommonMoreOptionViewController::Item*
MCommonMoreOptionViewController::_findItem(Eext_Object_Item* item) const {
    auto found = _itemMap.find(item);
    return found == _itemMap.end() ? nullptr : found->second;
}

void MCommonMoreOptionViewController::_itemClickedCb(void* data, Evas_Object* obj, void* eventInfo) {
    auto* self = static_cast<MCommonMoreOptionViewController*>(data);
    if (self->_clickedItem) {
        MSG_LOGE("Duplicated event.");
        return;
    }
    auto* item = static_cast<Eext_Object_Item*>(eventInfo);
    MSG_RET_IF(!item, "Not found clicked item (%d)", static_cast<int>(self->_itemMap.size()));
    self->_clickedItem = item;
    // Before the general close handling, so that the action runs first.
    evas_object_smart_callback_priority_add(obj, "more,option,closed", EVAS_CALLBACK_PRIORITY_BEFORE,
                                            _clickedItemClosedCb, self);
    self->close();
}

void MCommonMoreOptionViewController::_clickedItemClosedCb(void* data, Evas_Object* obj, void*) {
    auto* self = static_cast<MCommonMoreOptionViewController*>(data);
    evas_object_smart_callback_del_full(obj, "more,option,closed", _clickedItemClosedCb, self);
    self->_onClickedItemPanelClosed();
}

void MCommonMoreOptionViewController::_onClickedItemPanelClosed() {
    MSG_RET_IF(!_clickedItem, "self->_clickedItem is NULL !!");
    Eext_Object_Item* clicked = _clickedItem;
    _clickedItem = nullptr;
    Item* item = _findItem(clicked);
    MSG_RET_IF(!item, "Not found clicked item (%d)", static_cast<int>(_itemMap.size()));
    _clickedItemType = item->type;
    // A copy: the action may clear the items.
    ItemCb onClicked = item->onClicked;
    if (onClicked)
        onClicked(clicked);
}

void MCommonMoreOptionViewController::_openedCb(void* data, Evas_Object*, void*) {
    auto* self = static_cast<MCommonMoreOptionViewController*>(data);
    // Opened from its cue before the loop idled.
    self->_buildPending();
    self->_clickedItem = nullptr;
    self->_isOpened = true;
    if (self->_onOpenedCb)
        self->_onOpenedCb();
}

void MCommonMoreOptionViewController::_closedCb(void* data, Evas_Object* obj, void*) {
    auto* self = static_cast<MCommonMoreOptionViewController*>(data);
    if (common_util::is_screen_reader_enabled() && self->_isOpened && self->getCueVisible() &&
        self->_cueAutoHighlight) {
        if (Evas_Object* cueAccess = self->getCueAccessObject())
            elm_access_highlight_set(cueAccess);
    }
    eext_rotary_object_event_activated_set(obj, EINA_FALSE);
    if (self->_clickedItemType == SELECT_MODE)
        self->_showSelectModeToast();
    else
        MCommonRotaryActivateMgr::getInstance()->setActivate(true);
    if (self->_onClosedCb)
        self->_onClosedCb();
    self->_isOpened = false;
    self->_clickedItemType = NORMAL;
}

void MCommonMoreOptionViewController::_showSelectModeToast() {
    view_kit::WWindowController* window = getWindowController();
    MSG_RET_IF(!window || !window->getBaseObject(), "popup is nullptr!");
    MCommonPopup* toast = MCommonPopup::createToastPopup(SELECT_ITEMS_TOAST_ID, nullptr, nullptr);
    if (!toast->create(window->getBaseObject(), nullptr)) {
        MSG_LOGE("popup is nullptr!");
        delete toast;
    }
}

void MCommonMoreOptionViewController::_itemSelectedCb(void* data, Evas_Object* obj, void* eventInfo) {
    if (!common_util::is_screen_reader_enabled())
        return;
    MSG_RET_IF(!data || !obj, "panel is NULL !!");
    Evas_Object* selector = eext_more_option_rotary_selector_get(obj);
    MSG_RET_IF(!selector, "rotary_selector is NULL !!");
    auto* content = const_cast<Evas_Object*>(
        edje_object_part_object_get(elm_layout_edje_get(selector), "selector,content"));
    MSG_RET_IF(!content, "content is NULL !!");
    Evas_Object* contentAccess = elm_access_object_get(content);
    MSG_RET_IF(!contentAccess, "content_access is NULL !!");
    auto* selected = static_cast<Eext_Object_Item*>(eventInfo);
    MSG_RET_IF(!selected, "selectedItem is NULL !!");
    const char* text = eext_more_option_item_part_text_get(selected, "selector,main_text");
    MSG_RET_IF(!text, "text is NULL.");
    efl_access_object_translation_domain_set(contentAccess, common_ui_helper::TEXT_DOMAIN);
    efl_access_object_i18n_name_set(contentAccess, text);
    efl_access_object_reading_info_type_set(contentAccess, EFL_ACCESS_READING_INFO_TYPE_NAME);
}

void MCommonMoreOptionViewController::_itemLanguageChangedCb(void* data, Evas_Object* obj, void*) {
    auto* self = static_cast<MCommonMoreOptionViewController*>(data);
    auto* item = static_cast<Eext_Object_Item*>(evas_object_data_get(obj, OWNER_ITEM_KEY));
    MSG_RET_IF(!item, "owner item is NULL");
    self->_updateItemText(item);
    Item* itemData = self->_findItem(item);
    if (itemData && itemData->onLanguageChanged)
        itemData->onLanguageChanged(item);
}

void MCommonMoreOptionViewController::_itemDelCb(void* data, Evas*, Evas_Object* obj, void*) {
    auto* self = static_cast<MCommonMoreOptionViewController*>(data);
    auto* item = static_cast<Eext_Object_Item*>(evas_object_data_get(obj, OWNER_ITEM_KEY));
    auto found = self->_itemMap.find(item);
    if (found == self->_itemMap.end()) {
        MSG_LOGE("Not found iterator of item(%p)", static_cast<void*>(item));
        return;
    }
    if (!found->second)
        MSG_LOGE("itemData is NULL. item [%p]", static_cast<void*>(item));
    delete found->second;
    self->_itemMap.erase(found);
    if (self->_clickedItem == item)
        self->_clickedItem = nullptr;
}

} // namespace msg_app
