// Select mode and the actions on checked rows.
#include "common/MsgLog.h"
#include "list/MLListViewController.h"

namespace msg_app {
namespace msg_list {

void MLListViewController::getOptions(std::vector<MoreOption>& options) const {
    options.clear();
    if (_listStyle != LIST_STYLE_NORMAL)
        return;
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
}

bool MLListViewController::back() {
    return _listStyle == LIST_STYLE_NORMAL;
}

} // namespace msg_list
} // namespace msg_app
