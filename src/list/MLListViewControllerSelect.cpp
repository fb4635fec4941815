// Select mode: the style of the rows, the count button and its popup, the bottom button, the
// menu entries and the back key.
#include "common/CommonUiHelper.h"
#include "common/CommonUtil.h"
#include "common/MsgLog.h"
#include "common/popup/MCommonSelectCtxPopup.h"
#include "common/view/MCommonCountBtnViewController.h"
#include "list/MLItem/MLItemContent.h"
#include "list/MLListViewController.h"

namespace msg_app {
namespace msg_list {

namespace {
constexpr const char* DELETE_TEXT_ID = "WDS_ALM_ACBUTTON_DELETE_ABB";
constexpr const char* RESTORE_TEXT_ID = "WDS_MSG_ACBUTTON_UNBLOCK";
} // namespace

void MLListViewController::getOptions(std::vector<MoreOption>& options) const {
    options.clear();
    if (_listStyle != LIST_STYLE_NORMAL) {
        // A long press in the blocked list leaves the choice between the bottom button's delete
        // and the menu's restore.
        if (_listType == LIST_TYPE_BLOCKED_MSG && _action == ACTION_NONE && !getCheckedIds().empty())
            options.push_back(MORE_OPTION_RESTORE);
        return;
    }
    bool hasRows = getItemCount() > 0;
    if (_listType == LIST_TYPE_THREAD) {
        options.push_back(MORE_OPTION_NEW_MESSAGE);
        if (hasRows)
            options.push_back(MORE_OPTION_DELETE);
    } else if (hasRows) {
        options.push_back(MORE_OPTION_RESTORE);
        options.push_back(MORE_OPTION_DELETE);
    }
}

bool MLListViewController::back() {
    if (!_bgActionPopup.expired()) {
        MSG_LOGI("BACK action is not allowed for bgActionPopup");
        return false;
    }
    if (!_selectCtxPopup.expired()) {
        _destroySelectCtxPopup();
        return false;
    }
    _destroyCountButton();
    if (_listStyle == LIST_STYLE_SELECT) {
        _changeToNormalMode();
        return false;
    }
    return true;
}

std::vector<int> MLListViewController::getCheckedIds() const {
    std::vector<int> ids;
    for (const BgActionTarget& target : _getCheckedTargets())
        ids.push_back(target.id);
    return ids;
}

std::vector<MLListViewController::BgActionTarget> MLListViewController::_getCheckedTargets() const {
    std::vector<BgActionTarget> targets;
    for (Elm_Object_Item* it = _firstContentItem(); it; it = elm_genlist_item_next_get(it)) {
        MLItem* row = _rowOf(it);
        if (row && row->getType() == MLItem::CONTENT && row->isChecked()) {
            auto* content = static_cast<MLItemContent*>(row);
            targets.push_back({content->getItemId(), content->getTime()});
        }
    }
    return targets;
}

int MLListViewController::getCheckedCount() const {
    auto countBtn = _countBtn.lock();
    return _listStyle == LIST_STYLE_SELECT && countBtn ? countBtn->getCount() : -1;
}

int MLListViewController::selectItems(Action action, const std::vector<int>& ids) {
    if (_listStyle == LIST_STYLE_SELECT)
        _checkAll(false);
    else
        _changeToSelectMode(nullptr);
    _action = action;
    _createBottomButton(); // its text follows the action
    for (int id : ids) {
        if (MLItemContent* row = findContentItem(id))
            row->setCheck(true);
    }
    int count = static_cast<int>(_getCheckedTargets().size());
    _showCheckedCount(count);
    return count;
}

void MLListViewController::_changeToSelectMode(MLItem* first) {
    MSG_ENTER();
    MSG_RET_IF(_listStyle == LIST_STYLE_SELECT, "list is already select_mode.");
    // Select all and the count cover every conversation.
    finishRows();
    _listStyle = LIST_STYLE_SELECT;
    _setStyleToAll(LIST_STYLE_SELECT);
    _createCountButton();
    _createBottomButton();
    if (first)
        first->setCheck(true);
    _showCheckedCount(first ? 1 : 0);
    _sendEvent(EVENT_CHANGED);
    if (_selectModeLayout)
        elm_object_signal_emit(_selectModeLayout, "select_mode,button,show", "");
}

void MLListViewController::_changeToNormalMode() {
    MSG_ENTER();
    MSG_RET_IF(_listStyle != LIST_STYLE_SELECT, "_listStyle is not select_mode");
    // First, so that a popup closing below does not bring us here again.
    _listStyle = LIST_STYLE_NORMAL;
    if (_selectModeLayout)
        elm_object_signal_emit(_selectModeLayout, "select_mode,button,hide", "");
    _deleteBottomButton();
    destroyPopup();
    _destroySelectCtxPopup();
    _destroyCountButton();
    if (_pausedUpdate == UPDATE_RELOAD) {
        // The reload rebuilds every row in normal style.
        MSG_LOGI("process paused event(reload) here");
        _doPausedUpdate();
    } else {
        _setStyleToAll(LIST_STYLE_NORMAL);
    }
    _action = ACTION_NONE;
    _sendEvent(EVENT_CHANGED);
    if (getItemCount() > 0)
        _redrawRealized();
}

void MLListViewController::_setStyleToAll(ListStyle style) {
    for (Elm_Object_Item* it = _genlist ? elm_genlist_first_item_get(_genlist) : nullptr; it;
         it = elm_genlist_item_next_get(it)) {
        if (MLItem* row = _rowOf(it))
            row->setStyle(style);
    }
    _redrawRealized();
}

void MLListViewController::_createCountButton() {
    MSG_RET_IF(!_countBtn.expired(), "count button exists");
    MSG_RET_IF(!_selectModeLayout, "no select mode layout");
    auto* countBtn = new MCommonCountBtnViewController();
    countBtn->setClickedCb([this] { _showSelectCtxPopup(); });
    if (!countBtn->create(_selectModeLayout, nullptr)) {
        MSG_LOGE("count button not created");
        countBtn->destroy();
        return;
    }
    _countBtn = view_kit::weak_cast<MCommonCountBtnViewController>(countBtn->getWeakPtr());
}

void MLListViewController::_destroyCountButton() {
    if (auto countBtn = _countBtn.lock())
        countBtn->destroy();
    _countBtn.reset();
}

void MLListViewController::_createBottomButton() {
    Evas_Object* view = getEvasObject();
    MSG_RET_IF(!view, "no view");
    if (!_bottomButton) {
        _bottomButton = elm_button_add(view);
        MSG_RET_IF(!_bottomButton, "elm_button_add() failed");
        elm_object_style_set(_bottomButton, "bottom");
        // A tap must not leave it focused: the button goes with select mode, often while the result's
        // toast holds the focus, and the toast would hand the focus back to it when it closes.
        elm_object_focus_allow_set(_bottomButton, EINA_FALSE);
        evas_object_smart_callback_add(_bottomButton, "clicked", _bottomButtonClickedCb, this);
        elm_object_part_content_set(view, "elm.swallow.button", _bottomButton);
        evas_object_show(_bottomButton);
    }
    elm_object_domain_translatable_text_set(_bottomButton, common_ui_helper::TEXT_DOMAIN,
                                            _action == ACTION_RESTORE ? RESTORE_TEXT_ID : DELETE_TEXT_ID);
}

void MLListViewController::_deleteBottomButton() {
    if (!_bottomButton)
        return;
    elm_object_part_content_unset(getEvasObject(), "elm.swallow.button");
    evas_object_del(_bottomButton);
    _bottomButton = nullptr;
}

void MLListViewController::_bottomButtonClickedCb(void* data, Evas_Object* /*obj*/, void* /*eventInfo*/) {
    auto* self = static_cast<MLListViewController*>(data);
    self->doAction(self->_action == ACTION_RESTORE ? ACTION_RESTORE : ACTION_DELETE);
}

void MLListViewController::_showCheckedCount(int count) {
    if (auto countBtn = _countBtn.lock()) {
        countBtn->setCount(count);
        countBtn->show();
    }
    if (_bottomButton)
        elm_object_disabled_set(_bottomButton, count == 0 ? EINA_TRUE : EINA_FALSE);
    if (_action == ACTION_NONE)
        _sendEvent(EVENT_CHANGED);
    if (common_util::is_screen_reader_enabled())
        _redrawRealized();
}

// Counted from the rows rather than stepped up and down, so that a checked row that left the
// list is not counted on.
void MLListViewController::_onCheckChanged(const MLItem* /*row*/) {
    MSG_RET_IF(_listStyle != LIST_STYLE_SELECT, "_listStyle is not select_mode");
    _showCheckedCount(static_cast<int>(_getCheckedTargets().size()));
}

void MLListViewController::_checkAll(bool checked) {
    for (Elm_Object_Item* it = _firstContentItem(); it; it = elm_genlist_item_next_get(it)) {
        MLItem* row = _rowOf(it);
        if (row && row->getType() == MLItem::CONTENT)
            row->setCheck(checked);
    }
    _showCheckedCount(checked ? getItemCount() : 0);
}

void MLListViewController::_showSelectCtxPopup() {
    MSG_RET_IF(!_selectCtxPopup.expired(), "_selectCtxPopupWptr is not expired");
    MSG_RET_IF(!_bgActionPopup.expired(), "bgAction is running");
    int checked = static_cast<int>(_getCheckedTargets().size());
    auto* popup = new MCommonSelectCtxPopup();
    if (checked < getItemCount())
        popup->setSelectAllItemCb([this] { _checkAll(true); });
    if (checked > 0)
        popup->setDeselectAllItemCb([this] { _checkAll(false); });
    if (!attachPopup(popup)) {
        MSG_LOGE("select popup not shown");
        return;
    }
    _selectCtxPopup = view_kit::weak_cast<MCommonSelectCtxPopup>(popup->getWeakPtr());
}

void MLListViewController::_destroySelectCtxPopup() {
    if (auto popup = _selectCtxPopup.lock())
        popup->destroy();
    _selectCtxPopup.reset();
}

} // namespace msg_list
} // namespace msg_app
