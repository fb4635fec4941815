#include "ListScreen.h"

#include "ShotScreens.h"

#include "common/MCommonAppEventMgr.h"
#include "common/MsgLog.h"
#include "common/view/MCommonMoreOptionViewController.h"
#include "list/MLItem/MLItemContent.h"
#include "msg_store/ListCondition.h"
#include "msg_store/MessageManager.h"

#include <vector>

namespace msg_app {
namespace shell {

namespace {

// After the list's launch work, the rows need a moment to settle where it scrolled them.
constexpr double START_DELAY = 0.2;
// Long enough for a popup's show transition, well inside its minimum display time.
constexpr double CAPTURE_DELAY = 0.4;

} // namespace

// The blocked messages of the device go (msg-shot renders a copy), so that the list shows its
// empty view on any device.
static void deleteBlockedMessages() {
    msg_store::ListCondition condition;
    condition.folderFilter = msg_store::FOLDER_WATCH_SPAM;
    std::vector<msg_store::Message> blocked;
    msg_store::MessageManager manager;
    if (manager.getMessages(condition, blocked) != msg_store::MSG_STORE_SUCCESS)
        MSG_LOGE("the blocked messages cannot be listed");
    for (const msg_store::Message& message : blocked) {
        if (manager.deleteMessage(message.msgId) != msg_store::MSG_STORE_SUCCESS)
            MSG_LOGE("blocked message %d cannot be deleted", message.msgId);
    }
}

ListScreen::ListScreen(msg_list::ListType listType, Start start)
    : msg_list::MLContentViewController(listType), _start(start) {
    if (start == Start::EMPTY)
        deleteBlockedMessages();
}

ListScreen::~ListScreen() {
    view_kit::WTimer::destroy(_startTimer);
    view_kit::WTimer::destroy(_captureTimer);
    MCommonAppEventMgr::getInstance()->removeListener(this);
}

void ListScreen::onCreated() {
    msg_list::MLContentViewController::onCreated();
    if (_start != Start::EMPTY) {
        _pendingAct.begin();
        MCommonAppEventMgr::getInstance()->addListener(this);
    }
}

void ListScreen::appEventListener(MCommonAppEventType type) {
    if (type != APP_EVENT_LAUNCH_COMPLETED || _startTimer.lock())
        return;
    // The list queued its launch work on the first idle for this event, before us: an idler
    // queued now runs after it, however busy the machine is.
    _startTimer = view_kit::WTimer::addIdler(
        [this](void*) {
            _startTimer = view_kit::WTimer::addTimer(
                START_DELAY,
                [this](void*) {
                    if (!_enterStartState())
                        MSG_LOGE("the screen could not enter its state (%d)", static_cast<int>(_start));
                    _pendingAct.end();
                    return false;
                },
                nullptr);
            return false;
        },
        nullptr);
}

bool ListScreen::_enterStartState() {
    auto list = getListView().lock();
    MSG_RETV_IF(!list, false, "no list");
    switch (_start) {
    case Start::OPTIONS: {
        auto option = getMoreOption().lock();
        MSG_RETV_IF(!option, false, "no option panel");
        option->open();
        return true;
    }
    case Start::SELECT:
        return _checkRows(2) == 2;
    case Start::SELECT_ALL:
        return _checkRows(list->getItemCount()) == list->getItemCount();
    case Start::PROGRESS: {
        int checked = _checkRows(list->getItemCount());
        MSG_RETV_IF(checked < 2, false, "%d of %d rows checked", checked, list->getItemCount());
        // Two or more checked rows go to the background job behind the progress popup.
        list->doAction(msg_list::MLListViewController::ACTION_DELETE);
        MSG_RETV_IF(!list->isBgActionRunning(), false, "no background job for %d rows", checked);
        // The popup goes with the job: the picture is taken while it shows.
        _captureTimer = view_kit::WTimer::addTimer(
            CAPTURE_DELAY,
            [this](void*) {
                if (Evas_Object* win = elm_object_top_widget_get(getEvasObject()))
                    evas_object_smart_callback_call(win, CAPTURE_EVENT, nullptr);
                return false;
            },
            nullptr);
        return true;
    }
    case Start::END: {
        list->finishRows();
        Elm_Object_Item* last = elm_genlist_last_item_get(list->getGenlist());
        MSG_RETV_IF(!last, false, "no rows");
        // As high as the list lets it go: the bottom margin decides how far that is.
        elm_genlist_item_show(last, ELM_GENLIST_ITEM_SCROLLTO_TOP);
        return true;
    }
    case Start::EMPTY:
        break;
    }
    return true;
}

int ListScreen::_checkRows(int count) {
    auto list = getListView().lock();
    MSG_RETV_IF(!list, 0, "no list");
    std::vector<int> ids;
    for (Elm_Object_Item* it = elm_genlist_first_item_get(list->getGenlist());
         it && static_cast<int>(ids.size()) < count; it = elm_genlist_item_next_get(it)) {
        auto* row = static_cast<msg_list::MLItem*>(elm_object_item_data_get(it));
        if (row && row->getType() == msg_list::MLItem::CONTENT)
            ids.push_back(static_cast<msg_list::MLItemContent*>(row)->getItemId());
    }
    return list->selectItems(msg_list::MLListViewController::ACTION_DELETE, ids);
}

} // namespace shell
} // namespace msg_app
