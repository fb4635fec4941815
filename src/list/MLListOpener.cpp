#include "list/MLListOpener.h"

#include "common/IMCommonScreenOpener.h"
#include "common/MsgLog.h"
#include "list/MLItem/MLItemContent.h"
#include "view_kit/WNaviframeController.h"
#include "view_kit/WWindowController.h"

namespace msg_app {
namespace msg_list {

void MLListOpener::openRow(const MLItem* row) {
    MSG_RET_IF(!row || row->getType() != MLItem::CONTENT, "item type is not content");
    IMCommonScreenOpener* opener = screen_opener::get();
    MSG_RET_IF(!opener, "nothing opens the row");
    int id = static_cast<const MLItemContent*>(row)->getItemId();
    if (_listType == LIST_TYPE_THREAD)
        _push(opener->createConversation(id), VIEWER_NAME);
    else
        _push(opener->createBlockedMessage(id), BLOCK_VIEWER_NAME);
}

void MLListOpener::openComposer() {
    IMCommonScreenOpener* opener = screen_opener::get();
    MSG_RET_IF(!opener, "nothing opens the composer");
    view_kit::WViewController* errorPopup = nullptr;
    view_kit::WContentViewController* composer = opener->createComposer(&errorPopup);
    if (!composer) {
        if (errorPopup)
            _owner.attachPopup(errorPopup);
        return;
    }
    _push(composer, nullptr);
}

void MLListOpener::_push(view_kit::WContentViewController* page, const char* name) {
    MSG_RET_IF(!page, "no page to open");
    view_kit::WWindowController* window = _owner.getWindowController();
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
