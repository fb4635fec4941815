#include "BlockViewerScreen.h"

#include "common/MsgLog.h"
#include "msg_store/MessageManager.h"

#include <algorithm>
#include <vector>

namespace msg_app {
namespace shell {

namespace {

// The genlist sizes its rows of text over the first idles; the scroll waits for them.
constexpr double END_DELAY = 0.2;

bool hasPicture(const msg_store::Message& message) {
    return std::any_of(message.contents.begin(), message.contents.end(), [](const msg_store::Content& part) {
        return part.mediaType == msg_store::Content::MEDIA_TYPE_IMAGE;
    });
}

bool matches(const msg_store::Message& message, BlockViewerScreen::Pick pick) {
    if (pick == BlockViewerScreen::Pick::MMS)
        return message.msgType == "mms" && hasPicture(message);
    return message.msgType != "mms";
}

} // namespace

BlockViewerScreen::BlockViewerScreen(Pick pick, bool atEnd)
    : MBContentViewController(findBlockedMessage(pick)), _atEnd(atEnd) {}

BlockViewerScreen::~BlockViewerScreen() {
    view_kit::WTimer::destroy(_endTimer);
}

void BlockViewerScreen::appEventListener(MCommonAppEventType type) {
    MBContentViewController::appEventListener(type);
    if (type != APP_EVENT_LAUNCH_COMPLETED || !_atEnd || _endTimer.lock())
        return;
    _endTimer = view_kit::WTimer::addTimer(
        END_DELAY,
        [this](void*) {
            if (!_showLastRow())
                MSG_LOGE("the viewer could not scroll to its last row");
            return false;
        },
        nullptr);
}

bool BlockViewerScreen::_showLastRow() {
    Evas_Object* genlist = getGenlist();
    MSG_RETV_IF(!genlist, false, "no genlist");
    Elm_Object_Item* last = elm_genlist_last_item_get(genlist);
    MSG_RETV_IF(!last, false, "no rows");
    elm_genlist_item_show(last, ELM_GENLIST_ITEM_SCROLLTO_MIDDLE);
    return true;
}

int BlockViewerScreen::findBlockedMessage(Pick pick) {
    std::vector<msg_store::Message> blocked;
    for (msg_store::FolderType folder : {msg_store::FOLDER_WATCH_SPAM, msg_store::FOLDER_SPAM}) {
        msg_store::ListCondition condition;
        condition.newestFirst = 1;
        condition.folderFilter = folder;
        std::vector<msg_store::Message> messages;
        if (msg_store::MessageManager().getMessages(condition, messages) == msg_store::MSG_STORE_SUCCESS)
            blocked.insert(blocked.end(), messages.begin(), messages.end());
    }
    auto found = std::find_if(blocked.begin(), blocked.end(),
                              [pick](const msg_store::Message& message) { return matches(message, pick); });
    // Without a picture anywhere, any MMS shows the multimedia rows.
    if (found == blocked.end() && pick == Pick::MMS)
        found = std::find_if(blocked.begin(), blocked.end(),
                             [](const msg_store::Message& message) { return message.msgType == "mms"; });
    if (found != blocked.end())
        return found->msgId;
    MSG_LOGW("no blocked %s on this device", pick == Pick::MMS ? "MMS" : "SMS");
    return -1;
}

} // namespace shell
} // namespace msg_app
