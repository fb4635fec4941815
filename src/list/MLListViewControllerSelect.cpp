// Select mode: the style of the rows, the count button and its popup, the bottom button, the
// menu entries and the back key.
#include "common/CommonUiHelper.h"
#include "common/CommonUtil.h"
#include "common/MsgLog.h"
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
    if (_select.isOn()) {
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

void MLListViewController::doAction(Action action) {
    MSG_RET_IF(action == ACTION_NONE, "action is none");
    MSG_LOGI("action : old(%d) - new(%d)", _action, action);
    _action = action;
    if (!_select.isOn()) {
        _changeToSelectMode(nullptr);
        return;
    }
    std::vector<MLListBulkAction::Target> targets = _getCheckedTargets();
    MSG_LOGI("checked ids count(%d)", static_cast<int>(targets.size()));
    if (targets.size() == 1) {
        // A row that changed stays checked, so that the user can look again and decide.
        if (_bulkAction.runOne(action == ACTION_RESTORE, targets.front()) == MLListBulkAction::Outcome::DONE)
            _changeToNormalMode();
    } else if (targets.size() > 1) {
        MSG_RET_IF(_select.isBgActionRunning(), "bgAction may be alive. please check it.");
        // Back to normal mode once its popup has gone, unless something left it already.
        _bulkAction.runMany(action == ACTION_RESTORE, std::move(targets), [this] {
            if (_select.isOn())
                _changeToNormalMode();
        });
    }
}

bool MLListViewController::back() {
    if (_select.isBgActionRunning()) {
        MSG_LOGI("BACK action is not allowed for bgActionPopup");
        return false;
    }
    if (_select.closeSelectAllPopup())
        return false;
    _select.destroyCountButton();
    if (!_select.isOn())
        return true;
    _changeToNormalMode();
    return false;
}

std::vector<int> MLListViewController::getCheckedIds() const {
    std::vector<int> ids;
    for (const MLListBulkAction::Target& target : _getCheckedTargets())
        ids.push_back(target.id);
    return ids;
}

std::vector<MLListBulkAction::Target> MLListViewController::_getCheckedTargets() const {
    std::vector<MLListBulkAction::Target> targets;
    for (Elm_Object_Item* it = _firstContentItem(); it; it = elm_genlist_item_next_get(it)) {
        MLItem* row = _rowOf(it);
        if (row && row->getType() == MLItem::CONTENT && row->isChecked()) {
            auto* content = static_cast<MLItemContent*>(row);
            targets.push_back({content->getItemId(), content->getTime()});
        }
    }
    return targets;
}

int MLListViewController::selectItems(Action action, const std::vector<int>& ids) {
    if (_select.isOn())
        _checkAll(false);
    else
        _changeToSelectMode(nullptr);
    _action = action;
    _select.setBottomButton(_bottomTextId()); // its text follows the action
    for (int id : ids) {
        if (MLItemContent* row = findContentItem(id))
            row->setCheck(true);
    }
    int count = static_cast<int>(_getCheckedTargets().size());
    _showCheckedCount(count);
    return count;
}

const char* MLListViewController::_bottomTextId() const {
    return _action == ACTION_RESTORE ? RESTORE_TEXT_ID : DELETE_TEXT_ID;
}

void MLListViewController::_changeToSelectMode(MLItem* first) {
    MSG_ENTER();
    MSG_RET_IF(_select.isOn(), "list is already select_mode.");
    // Select all and the count cover every conversation.
    finishRows();
    MSG_RET_IF(!_select.enter(_bottomTextId()), "list is already select_mode.");
    _setStyleToAll(LIST_STYLE_SELECT);
    if (first)
        first->setCheck(true);
    _showCheckedCount(first ? 1 : 0);
    _sendEvent(EVENT_CHANGED);
}

void MLListViewController::_changeToNormalMode() {
    MSG_ENTER();
    MSG_RET_IF(!_select.leave(), "_listStyle is not select_mode");
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

void MLListViewController::_showCheckedCount(int count) {
    _select.showCount(count);
    if (_action == ACTION_NONE)
        _sendEvent(EVENT_CHANGED);
    if (common_util::is_screen_reader_enabled())
        _redrawRealized();
}

// Counted from the rows rather than stepped up and down, so that a checked row that left the
// list is not counted on.
void MLListViewController::_onCheckChanged(const MLItem* /*row*/) {
    MSG_RET_IF(!_select.isOn(), "_listStyle is not select_mode");
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

} // namespace msg_list
} // namespace msg_app
