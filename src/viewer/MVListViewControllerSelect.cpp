// Select mode: checking bubbles, the count button and its popup, the bottom button, and deleting
// the checked messages: one at once, the whole conversation in one call when every message it
// holds is checked, several on the progress popup's worker.
#include "viewer/MVListViewController.h"

#include "common/CommonUiHelper.h"
#include "common/MCommonAppEventMgr.h"
#include "common/MsgLog.h"
#include "msg_store/MessageManager.h"
#include "msg_store/ThreadManager.h"
#include "viewer/MVItem/MVItemBubble.h"
#include "viewer/MVItem/MVItemReply.h"
#include "viewer/media/MVSoundPlayer.h"

#include <algorithm>

namespace msg_app {
namespace msg_viewer {

namespace {

constexpr const char* DELETED_TEXT_ID = "WDS_MSG_TPOP_MESSAGE_DELETED_ABB";
constexpr const char* DELETE_TEXT_ID = "WDS_ALM_ACBUTTON_DELETE_ABB";

// The conversation's messages in the store now, which may be more than the view has seen.
std::set<int> storedIds(int threadId) {
    std::vector<msg_store::Conversation> messages;
    std::set<int> ids;
    if (msg_store::MessageManager().getConversations(threadId, messages) == msg_store::MSG_STORE_SUCCESS) {
        for (const msg_store::Conversation& conv : messages)
            ids.insert(conv.msgId);
    }
    return ids;
}

// Ids, not counts: a message that arrived since the selection was made is not the user's to lose.
// The count only rules the whole thread out cheaply, since a long conversation holds thousands.
bool isWholeThread(int threadId, const std::vector<int>& selected) {
    msg_store::Thread thread;
    if (msg_store::ThreadManager().getThread(threadId, thread) == msg_store::MSG_STORE_SUCCESS &&
        thread.msgCount != static_cast<int>(selected.size()))
        return false;
    return storedIds(threadId) == std::set<int>(selected.begin(), selected.end());
}

} // namespace

bool MVListViewController::back() {
    rotary_to_action_animation_delete();
    if (_select.isBgActionRunning()) {
        MSG_LOGI("BACK action is not allowed for bgActionPopup");
        return false;
    }
    if (_select.closeSelectAllPopup())
        return false;
    if (!_select.isOn())
        return true;
    _changeToNormalMode();
    return false;
}

std::vector<int> MVListViewController::getCheckedIds() const {
    // Oldest first, as the model orders them: one pass over the model, since looking each id up
    // while sorting a thousand of them held the main loop for tens of milliseconds.
    std::vector<int> ids;
    ids.reserve(_checked.size());
    const unsigned int count = static_cast<unsigned int>(_model.getCount());
    for (unsigned int i = 0; i < count && ids.size() < _checked.size(); ++i) {
        int id = _model.getMsgId(i);
        if (_checked.count(id))
            ids.push_back(id);
    }
    return ids;
}

void MVListViewController::selectMessages(const std::vector<int>& msgIds) {
    if (!_select.isOn())
        _changeToSelectMode(nullptr);
    checkAll(false);
    for (int id : msgIds) {
        if (_model.getIndexOf(id) < 0)
            continue;
        _checked.insert(id);
        if (MVItemBubble* bubble = findBubble(id))
            bubble->setCheck(true);
    }
    _updateSelectModeButtons();
}

void MVListViewController::_changeToSelectMode(MVItemBubble* first) {
    MSG_RET_IF(!_select.enter(DELETE_TEXT_ID), "view type is already SELECT");
    _checked.clear();
    _setViewTypeToAll(VIEW_TYPE_SELECT);
    if (first) {
        first->setCheck(true);
        _checked.insert(first->getMsgId());
    }
    _updateSelectModeButtons();
    // A tap on a clip now checks its bubble: nothing else could stop it, and it may be deleted.
    MVSoundPlayer::getInstance()->stop();
}

void MVListViewController::_changeToNormalMode() {
    MSG_RET_IF(!_select.leave(), "_viewType is not SELECT");
    _checked.clear();
    _setViewTypeToAll(VIEW_TYPE_NORMAL);
    createThreadOptions();
    _sendEvent(EVENT_OPTIONS_CHANGED);
}

void MVListViewController::_setViewTypeToAll(ViewType viewType) {
    for (Elm_Object_Item* it = elm_genlist_first_item_get(_genlist); it; it = elm_genlist_item_next_get(it)) {
        if (MVItem* row = _itemOf(it))
            row->setViewType(viewType);
    }
    elm_genlist_realized_items_update(_genlist);
}

void MVListViewController::takeHeldFinger() {
    MSG_RET_IF(!_genlist, "no genlist");
    int x = 0, y = 0;
    evas_pointer_canvas_xy_get(evas_object_evas_get(_genlist), &x, &y);
    MVItem* row = _itemOf(elm_genlist_at_xy_item_get(_genlist, x, y, nullptr));
    if (row && row->getType() == MVItem::BUBBLE)
        static_cast<MVItemBubble*>(row)->takeHeldFinger(x, y);
}

void MVListViewController::_onBubbleEvent(int event, MVItem* item) {
    auto* bubble = static_cast<MVItemBubble*>(item);
    MSG_RET_IF(!bubble, "bubble is nullptr");
    switch (event) {
    case MVItemBubble::LONGPRESSED:
        _changeToSelectMode(bubble);
        break;
    case MVItemBubble::CHECKED:
    case MVItemBubble::UNCHECKED:
        // The set holds checked messages only; an unchecked one leaves it.
        if (event == MVItemBubble::CHECKED)
            _checked.insert(bubble->getMsgId());
        else
            _checked.erase(bubble->getMsgId());
        _updateSelectModeButtons();
        break;
    case MVItemBubble::CLICKED:
        break;
    default:
        MSG_LOGE("invalid event type (%d)", event);
        break;
    }
}

void MVListViewController::_updateSelectModeButtons() {
    MSG_RET_IF(!_select.isOn(), "_viewType is not SELECT");
    _select.showCount(static_cast<int>(_checked.size()));
    // While the worker deletes, the menu waits for the end instead of following every message.
    if (!_select.isBgActionRunning())
        createThreadOptions();
}

void MVListViewController::checkAll(bool checked) {
    MSG_RET_IF(!_select.isOn(), "it is not select view");
    _checked.clear();
    if (checked) {
        for (int i = 0; i < _model.getCount(); ++i)
            _checked.insert(_model.getMsgId(i));
    }
    for (Elm_Object_Item* it = elm_genlist_first_item_get(_genlist); it; it = elm_genlist_item_next_get(it)) {
        MVItem* row = _itemOf(it);
        if (row && row->getType() == MVItem::BUBBLE)
            row->setCheck(checked);
    }
    _updateSelectModeButtons();
}

void MVListViewController::_actionDelete() {
    MSG_RET_IF(_select.isBgActionRunning(), "bgAction may be alive. please check it.");
    std::vector<int> ids = getCheckedIds();
    if (ids.empty())
        return;
    if (isWholeThread(_threadId, ids)) {
        if (msg_store::ThreadManager().deleteThread(_threadId) != msg_store::MSG_STORE_SUCCESS)
            MSG_LOGE("delete failed");
        else
            _showToast(DELETED_TEXT_ID);
        _changeToNormalMode();
        return;
    }
    if (ids.size() == 1) {
        if (msg_store::MessageManager().deleteMessage(ids.front()) != msg_store::MSG_STORE_SUCCESS)
            MSG_LOGE("delete failed");
        else
            _showToast(DELETED_TEXT_ID);
        _changeToNormalMode();
        return;
    }
    _deleteInBackground(std::move(ids));
}

void MVListViewController::_deleteInBackground(std::vector<int> ids) {
    // The worker owns its job; the popup (and this view with it) may go before it ends.
    auto job = std::make_shared<BgActionData>();
    job->ids = std::move(ids);
    _select.runInBackground(
        "WDS_MSG_TPOP_DELETING_ING_ABB",
        [job](void*, view_kit::WThread::IStatus* status, Ecore_Thread*) { _bgDeleteWorker(*job, status); },
        [job](void* result) {
            job->isFinished = result && !job->doneIds.empty();
            if (!job->isFinished)
                MSG_LOGE("delete failed");
        },
        [this, job] { _onBgDeleteEnd(job->isFinished); });
}

void MVListViewController::_bgDeleteWorker(BgActionData& job, view_kit::WThread::IStatus* status) {
    msg_store::MessageManager manager;
    for (int id : job.ids) {
        if (status->isCancelRequested() ||
            MCommonAppEventMgr::getInstance()->getAppState() == APP_EVENT_TERMINATING) {
            MSG_LOGI("This Thread is canceled.");
            return;
        }
        if (manager.deleteMessage(id) == msg_store::MSG_STORE_SUCCESS)
            job.doneIds.push_back(id);
        else
            MSG_LOGE("deleteMessage failed");
    }
    if (!status->notify(&job))
        MSG_LOGE("sendFeedback failed");
}

void MVListViewController::_onBgDeleteEnd(bool deleted) {
    if (deleted)
        _showToast(DELETED_TEXT_ID);
    // No reload: each deletion has already reached the list through the store's change events,
    // and rebuilding the first page of a long conversation would stall the screen.
    if (_select.isOn())
        _changeToNormalMode();
}

} // namespace msg_viewer
} // namespace msg_app
