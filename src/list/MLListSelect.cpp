#include "list/MLListSelect.h"

#include "common/CommonUiHelper.h"
#include "common/CommonUtil.h"
#include "common/MsgLog.h"
#include "list/MLItem/MLItemContent.h"
#include "list/MLListRows.h"

#include <string>

namespace msg_app {
namespace msg_list {

namespace {
constexpr const char* DELETE_TEXT_ID = "WDS_ALM_ACBUTTON_DELETE_ABB";
constexpr const char* RESTORE_TEXT_ID = "WDS_MSG_ACBUTTON_UNBLOCK";
} // namespace

MLListSelect::MLListSelect(view_kit::WViewController& owner, ListType listType, MLListRows& rows,
                           MCommonMsgStore& store, Callbacks callbacks)
    : _listType(listType), _rows(rows), _callbacks(std::move(callbacks)),
      _widgets(owner, {[this] { doAction(_action == ACTION_RESTORE ? ACTION_RESTORE : ACTION_DELETE); },
                       [this](bool checked) { _checkAll(checked); }, [this] { return _rows.count(); }}),
      _bulkAction(listType, _widgets, owner, store) {}

void MLListSelect::getOptions(std::vector<MoreOption>& options) const {
    options.clear();
    if (isOn()) {
        // A long press in the blocked list leaves the choice between the bottom button's delete
        // and the menu's restore.
        if (_listType == LIST_TYPE_BLOCKED_MSG && _action == ACTION_NONE && !getCheckedIds().empty())
            options.push_back(MORE_OPTION_RESTORE);
        return;
    }
    bool hasRows = _rows.count() > 0;
    if (_listType == LIST_TYPE_THREAD) {
        options.push_back(MORE_OPTION_NEW_MESSAGE);
        if (hasRows)
            options.push_back(MORE_OPTION_DELETE);
    } else if (hasRows) {
        options.push_back(MORE_OPTION_RESTORE);
        options.push_back(MORE_OPTION_DELETE);
    }
}

void MLListSelect::doAction(Action action) {
    MSG_RET_IF(action == ACTION_NONE, "action is none");
    MSG_LOGI("action : old(%d) - new(%d)", _action, action);
    _action = action;
    if (!isOn()) {
        _enter(nullptr);
        return;
    }
    std::vector<MLListBulkAction::Target> targets = _getCheckedTargets();
    MSG_LOGI("checked ids count(%d)", static_cast<int>(targets.size()));
    if (targets.size() == 1) {
        // A row that changed stays checked, so that the user can look again and decide.
        if (_bulkAction.runOne(action == ACTION_RESTORE, targets.front()) == MLListBulkAction::Outcome::DONE)
            leave();
    } else if (targets.size() > 1) {
        MSG_RET_IF(isBgActionRunning(), "bgAction may be alive. please check it.");
        // Back to normal mode once its popup has gone, unless something left it already.
        _bulkAction.runMany(action == ACTION_RESTORE, std::move(targets), [this] {
            if (isOn())
                leave();
        });
    }
}

bool MLListSelect::back() {
    if (isBgActionRunning()) {
        MSG_LOGI("BACK action is not allowed for bgActionPopup");
        return false;
    }
    if (_widgets.closeSelectAllPopup())
        return false;
    _widgets.destroyCountButton();
    if (!isOn())
        return true;
    leave();
    return false;
}

std::vector<int> MLListSelect::getCheckedIds() const {
    std::vector<int> ids;
    for (const MLListBulkAction::Target& target : _getCheckedTargets())
        ids.push_back(target.id);
    return ids;
}

std::vector<MLListBulkAction::Target> MLListSelect::_getCheckedTargets() const {
    std::vector<MLListBulkAction::Target> targets;
    _rows.forEachContent([&targets](MLItemContent& row) {
        if (row.isChecked())
            targets.push_back({row.getItemId(), row.getTime()});
    });
    return targets;
}

int MLListSelect::selectItems(Action action, const std::vector<int>& ids) {
    if (isOn())
        _checkAll(false);
    else
        _enter(nullptr);
    _action = action;
    _widgets.setBottomButton(_bottomTextId()); // its text follows the action
    for (int id : ids) {
        if (MLItemContent* row = _rows.find(id))
            row->setCheck(true);
    }
    int count = static_cast<int>(_getCheckedTargets().size());
    _showCheckedCount(count);
    return count;
}

const char* MLListSelect::_bottomTextId() const {
    return _action == ACTION_RESTORE ? RESTORE_TEXT_ID : DELETE_TEXT_ID;
}

void MLListSelect::onLongPressed(MLItem* row) {
    MSG_RET_IF(!row || row->getType() != MLItem::CONTENT, "item type is not content");
    MSG_RET_IF(isOn(), "list is already select_mode.");
    common_ui_helper::playFeedback(FEEDBACK_PATTERN_LIST_LONG_PRESS, FEEDBACK_TYPE_NONE);
    // The blocked list leaves the choice between delete and restore to the menu.
    _action = _listType == LIST_TYPE_BLOCKED_MSG ? ACTION_NONE : ACTION_DELETE;
    _enter(row);
    if (common_util::is_screen_reader_enabled()) {
        std::string description;
        static_cast<MLItemContent*>(row)->getAccessInfoText(description);
        elm_access_say(description.c_str());
    }
}

void MLListSelect::_enter(MLItem* first) {
    MSG_ENTER();
    MSG_RET_IF(isOn(), "list is already select_mode.");
    // Select all and the count cover every conversation.
    _rows.finish();
    MSG_RET_IF(!_widgets.enter(_bottomTextId()), "list is already select_mode.");
    _rows.setStyleToAll(LIST_STYLE_SELECT);
    if (first)
        first->setCheck(true);
    _showCheckedCount(first ? 1 : 0);
    _callbacks.onChanged();
}

void MLListSelect::leave() {
    MSG_ENTER();
    MSG_RET_IF(!_widgets.leave(), "_listStyle is not select_mode");
    // A reload rebuilds every row in normal style.
    if (!_callbacks.takePendingReload())
        _rows.setStyleToAll(LIST_STYLE_NORMAL);
    _action = ACTION_NONE;
    _callbacks.onChanged();
    if (_rows.count() > 0)
        _rows.redrawRealized();
}

void MLListSelect::drop() {
    _bulkAction.dropToast();
    _widgets.dropBgAction();
    _widgets.closeSelectAllPopup();
    _widgets.destroyCountButton();
}

void MLListSelect::_showCheckedCount(int count) {
    _widgets.showCount(count);
    if (_action == ACTION_NONE)
        _callbacks.onChanged();
    if (common_util::is_screen_reader_enabled())
        _rows.redrawRealized();
}

// Counted from the rows rather than stepped up and down, so that a checked row that left the
// list is not counted on.
void MLListSelect::onCheckChanged() {
    MSG_RET_IF(!isOn(), "_listStyle is not select_mode");
    _showCheckedCount(static_cast<int>(_getCheckedTargets().size()));
}

void MLListSelect::_checkAll(bool checked) {
    _rows.forEachContent([checked](MLItemContent& row) { row.setCheck(checked); });
    _showCheckedCount(checked ? _rows.count() : 0);
}

} // namespace msg_list
} // namespace msg_app
