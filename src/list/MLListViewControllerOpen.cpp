// What a tap, a long press and the composer button open.
#include "common/CommonUiHelper.h"
#include "common/CommonUtil.h"
#include "common/IMCommonScreenOpener.h"
#include "common/MsgLog.h"
#include "list/MLItem/MLItemContent.h"
#include "list/MLListViewController.h"
#include "view_kit/WNaviframeController.h"
#include "view_kit/WWindowController.h"

#include <string>

namespace msg_app {
namespace msg_list {

void MLListViewController::_onItemEvent(MLItem::Event event, const MLItem* row) {
    if (event == MLItem::SELECTED)
        _onItemSelected(row);
    else if (event == MLItem::CHECK_CHANGED)
        _onCheckChanged(row);
}

void MLListViewController::_onItemSelected(const MLItem* row) {
    MSG_RET_IF(_select.isOn(), "_listStyle is not normal_mode");
    MSG_RET_IF(!row || row->getType() != MLItem::CONTENT, "item type is not content");
    IMCommonScreenOpener* opener = screen_opener::get();
    MSG_RET_IF(!opener, "nothing opens the row");
    int id = static_cast<const MLItemContent*>(row)->getItemId();
    if (_listType == LIST_TYPE_THREAD)
        _pushPage(opener->createConversation(id), VIEWER_NAME);
    else
        _pushPage(opener->createBlockedMessage(id), BLOCK_VIEWER_NAME);
}

void MLListViewController::_longpressedCb(void* data, Evas_Object* /*obj*/, void* eventInfo) {
    static_cast<MLListViewController*>(data)->_onLongPressed(static_cast<Elm_Object_Item*>(eventInfo));
}

void MLListViewController::_onLongPressed(Elm_Object_Item* item) {
    MLItem* row = _rowOf(item);
    MSG_RET_IF(!row || row->getType() != MLItem::CONTENT, "item type is not content");
    MSG_RET_IF(_select.isOn(), "list is already select_mode.");
    common_ui_helper::playFeedback(FEEDBACK_PATTERN_LIST_LONG_PRESS, FEEDBACK_TYPE_NONE);
    // The blocked list leaves the choice between delete and restore to the menu.
    _action = _listType == LIST_TYPE_BLOCKED_MSG ? ACTION_NONE : ACTION_DELETE;
    _changeToSelectMode(row);
    if (common_util::is_screen_reader_enabled()) {
        std::string description;
        static_cast<MLItemContent*>(row)->getAccessInfoText(description);
        elm_access_say(description.c_str());
    }
}

void MLListViewController::_onComposeClicked() {
    IMCommonScreenOpener* opener = screen_opener::get();
    MSG_RET_IF(!opener, "nothing opens the composer");
    view_kit::WViewController* errorPopup = nullptr;
    view_kit::WContentViewController* composer = opener->createComposer(&errorPopup);
    if (!composer) {
        if (errorPopup)
            attachPopup(errorPopup);
        return;
    }
    _pushPage(composer, nullptr);
}

void MLListViewController::_pushPage(view_kit::WContentViewController* page, const char* name) {
    view_kit::WWindowController* window = getWindowController();
    MSG_RET_IF(!page, "no page to open");
    view_kit::WNaviframeController* naviframe = window ? window->getNaviframeController() : nullptr;
    if (!naviframe) {
        MSG_LOGE("no naviframe");
        page->destroy();
        return;
    }
    bool pushed = name ? naviframe->push(page, name) : naviframe->push(page);
    if (!pushed)
        MSG_LOGE("push failed");
}

} // namespace msg_list
} // namespace msg_app
