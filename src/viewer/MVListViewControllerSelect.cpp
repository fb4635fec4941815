// Select mode: checking bubbles, the count button and its popup, the bottom button, and deleting
// the checked messages: one at once, the whole conversation in one call when every message it
// holds is checked, several on the progress popup's worker.
#include "viewer/MVListViewController.h"

#include "common/CommonUiHelper.h"
#include "common/MCommonAppEventMgr.h"
#include "common/MsgLog.h"
#include "common/popup/MCommonProgressPopup.h"
#include "common/popup/MCommonSelectCtxPopup.h"
#include "common/view/MCommonCountBtnViewController.h"
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
    if (!_bgDeletePopupWptr.expired()) {
        MSG_LOGI("BACK action is not allowed for bgActionPopup");
        return false;
    }
    if (auto popup = _selectCtxPopupWptr.lock()) {
        popup->destroy();
        return false;
    }
    if (_viewType == VIEW_TYPE_SELECT) {
        _changeToNormalMode();
        return false;
    }
    return true;
}

std::vector<int> MVListViewController::getSelectedIds() const {
    // Oldest first, as the model orders them: one pass over the model, since looking each id up
    // while sorting a thousand of them held the main loop for tens of milliseconds.
    std::vector<int> ids;
    ids.reserve(_selected.size());
    const unsigned int count = static_cast<unsigned int>(_model.getCount());
    for (unsigned int i = 0; i < count && ids.size() < _selected.size(); ++i) {
        int id = _model.getMsgId(i);
        if (_selected.count(id))
            ids.push_back(id);
    }
    return ids;
}

int MVListViewController::getCheckedCount() const {
    auto countBtn = _countBtnWptr.lock();
    return _viewType == VIEW_TYPE_SELECT && countBtn ? countBtn->getCount() : -1;
}

void MVListViewController::selectMessages(const std::vector<int>& msgIds) {
    if (_viewType != VIEW_TYPE_SELECT)
        _changeToSelectMode(nullptr);
    checkAllItems(false);
    for (int id : msgIds) {
        if (_model.getIndexOf(id) < 0)
            continue;
        _selected.insert(id);
        if (MVItemBubble* bubble = findBubble(id))
            bubble->setCheck(true);
    }
    _updateSelectModeButtons();
}

void MVListViewController::_changeToSelectMode(MVItemBubble* first) {
    MSG_RET_IF(_viewType == VIEW_TYPE_SELECT, "view type is already SELECT");
    _viewType = VIEW_TYPE_SELECT;
    _selected.clear();
    _setViewTypeToAll(VIEW_TYPE_SELECT);
    _createSelectButtons();
    if (first) {
        first->setCheck(true);
        _selected.insert(first->getMsgId());
    }
    _updateSelectModeButtons();
    // A tap on a clip now checks its bubble: nothing else could stop it, and it may be deleted.
    MVSoundPlayer::getInstance()->stop();
}

void MVListViewController::_changeToNormalMode() {
    MSG_RET_IF(_viewType != VIEW_TYPE_SELECT, "_viewType is not SELECT");
    // First, so that a popup closing below does not bring us here again.
    _viewType = VIEW_TYPE_NORMAL;
    _destroySelectButtons();
    destroyPopup();
    if (auto popup = _selectCtxPopupWptr.lock())
        popup->destroy();
    _selected.clear();
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

void MVListViewController::_createSelectButtons() {
    if (_selectModeLayout && _countBtnWptr.expired()) {
        auto* countBtn = new MCommonCountBtnViewController();
        countBtn->setClickedCb([this] { _showSelectCtxPopup(); });
        if (countBtn->create(_selectModeLayout, nullptr))
            _countBtnWptr = view_kit::weak_cast<MCommonCountBtnViewController>(countBtn->getWeakPtr());
        else {
            MSG_LOGE("btn->create() is failed.");
            countBtn->destroy();
        }
    } else {
        MSG_LOGE("count button already exists.");
    }
    Evas_Object* page = getEvasObject();
    MSG_RET_IF(_bottomButton, "bottomBtn already exists.");
    MSG_RET_IF(!page, "no page layout");
    _bottomButton = elm_button_add(page);
    MSG_RET_IF(!_bottomButton, "elm_button_add() failed");
    elm_object_style_set(_bottomButton, "bottom");
    // A tap must not leave it focused: the button goes with select mode, often while the result's
    // toast holds the focus, and the toast would hand the focus back to it when it closes.
    elm_object_focus_allow_set(_bottomButton, EINA_FALSE);
    elm_object_domain_translatable_text_set(_bottomButton, common_ui_helper::TEXT_DOMAIN,
                                            "WDS_ALM_ACBUTTON_DELETE_ABB");
    evas_object_smart_callback_add(_bottomButton, "clicked", _bottomButtonClickedCb, this);
    elm_object_part_content_set(page, "elm.swallow.button", _bottomButton);
    evas_object_show(_bottomButton);
    if (_selectModeLayout)
        elm_object_signal_emit(_selectModeLayout, "select_mode,button,show", "");
}

void MVListViewController::_destroySelectButtons() {
    if (_selectModeLayout)
        elm_object_signal_emit(_selectModeLayout, "select_mode,button,hide", "");
    if (_bottomButton) {
        elm_object_part_content_unset(getEvasObject(), "elm.swallow.button");
        evas_object_del(_bottomButton);
        _bottomButton = nullptr;
    }
    if (auto countBtn = _countBtnWptr.lock())
        countBtn->destroy();
    _countBtnWptr.reset();
}

void MVListViewController::_bottomButtonClickedCb(void* data, Evas_Object* /*obj*/, void* /*eventInfo*/) {
    static_cast<MVListViewController*>(data)->doAction(ACTION_DELETE);
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
        // The map holds checked messages only; an unchecked one leaves it.
        if (event == MVItemBubble::CHECKED)
            _selected.insert(bubble->getMsgId());
        else
            _selected.erase(bubble->getMsgId());
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
    MSG_RET_IF(_viewType != VIEW_TYPE_SELECT, "_viewType is not SELECT");
    int count = static_cast<int>(_selected.size());
    if (auto countBtn = _countBtnWptr.lock()) {
        countBtn->setCount(count);
        countBtn->show();
    }
    if (_bottomButton)
        elm_object_disabled_set(_bottomButton, count == 0 ? EINA_TRUE : EINA_FALSE);
    // While the worker deletes, the menu waits for the end instead of following every message.
    if (_bgDeletePopupWptr.expired())
        createThreadOptions();
}

void MVListViewController::checkAllItems(bool checked) {
    MSG_RET_IF(_viewType != VIEW_TYPE_SELECT, "it is not select view");
    _selected.clear();
    if (checked) {
        for (int i = 0; i < _model.getCount(); ++i)
            _selected.insert(_model.getMsgId(i));
    }
    for (Elm_Object_Item* it = elm_genlist_first_item_get(_genlist); it; it = elm_genlist_item_next_get(it)) {
        MVItem* row = _itemOf(it);
        if (row && row->getType() == MVItem::BUBBLE)
            row->setCheck(checked);
    }
    _updateSelectModeButtons();
}

void MVListViewController::_showSelectCtxPopup() {
    MSG_RET_IF(!_selectCtxPopupWptr.expired(), "_selectCtxPopupWptr is not expired");
    MSG_RET_IF(!_bgDeletePopupWptr.expired(), "bgAction is running");
    int checked = static_cast<int>(_selected.size());
    auto* popup = new MCommonSelectCtxPopup();
    if (checked < _model.getCount())
        popup->setSelectAllItemCb([this] { checkAllItems(true); });
    if (checked > 0)
        popup->setDeselectAllItemCb([this] { checkAllItems(false); });
    if (!attachPopup(popup)) {
        MSG_LOGE("select popup not shown");
        return;
    }
    _selectCtxPopupWptr = view_kit::weak_cast<MCommonSelectCtxPopup>(popup->getWeakPtr());
}

void MVListViewController::_actionDelete() {
    MSG_RET_IF(!_bgDeletePopupWptr.expired(), "bgAction may be alive. please check it.");
    std::vector<int> ids = getSelectedIds();
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
    auto job = std::make_shared<bgActionData>();
    job->count = static_cast<int>(ids.size());
    job->ids = std::move(ids);
    // The worker owns its own results; the popup (and this view with it) may go before it ends.
    auto deleted = std::make_shared<std::vector<int>>();
    auto reported = std::make_shared<bool>(false);
    MCommonProgressPopup* popup = MCommonProgressPopup::createBgActionPopup(
        MCommonProgressPopup::FULL, "WDS_MSG_TPOP_DELETING_ING_ABB",
        [job, deleted](void*, view_kit::WThread::IStatus* status, Ecore_Thread*) {
            std::vector<int> ids;
            {
                std::lock_guard<std::mutex> lock(job->mutex);
                ids.swap(job->ids);
                job->count = 0;
            }
            msg_store::MessageManager manager;
            for (int id : ids) {
                if (status->isCancelRequested() ||
                    MCommonAppEventMgr::getInstance()->getAppState() == APP_EVENT_TERMINATING) {
                    MSG_LOGI("This Thread is canceled.");
                    return;
                }
                if (manager.deleteMessage(id) == msg_store::MSG_STORE_SUCCESS)
                    deleted->push_back(id);
                else
                    MSG_LOGE("deleteMessage failed");
            }
            if (!status->notify(deleted.get()))
                MSG_LOGE("sendFeedback failed");
        },
        [reported](void*, void* result) {
            auto* done = static_cast<std::vector<int>*>(result);
            *reported = done && !done->empty();
            if (!*reported)
                MSG_LOGE("delete failed");
        },
        // The result is told once the progress popup has gone: one state on screen at a time.
        [this, reported, alive = std::weak_ptr<bool>(_alive)](void*) {
            if (!alive.expired())
                _onBgDeleteEnd(*reported);
        },
        [](void*, bool* destroyPopup) {
            if (destroyPopup)
                *destroyPopup = false;
        },
        nullptr);
    if (!popup) {
        MSG_LOGE("popup is null");
        return;
    }
    if (!attachPopup(popup)) {
        MSG_LOGE("progress popup not shown");
        return;
    }
    _bgDeletePopupWptr = view_kit::weak_cast<MCommonProgressPopup>(popup->getWeakPtr());
}

void MVListViewController::_onBgDeleteEnd(bool deleted) {
    if (MCommonAppEventMgr::getInstance()->getAppState() == APP_EVENT_TERMINATING) {
        MSG_LOGW("Destroying state, just return");
        return;
    }
    _bgDeletePopupWptr.reset();
    if (deleted)
        _showToast(DELETED_TEXT_ID);
    // No reload: each deletion has already reached the list through the store's change events,
    // and rebuilding the first page of a long conversation would stall the screen.
    if (_viewType == VIEW_TYPE_SELECT)
        _changeToNormalMode();
}

} // namespace msg_viewer
} // namespace msg_app
