#include "viewer/MVSelectMode.h"

#include "common/MCommonAppEventMgr.h"
#include "common/MCommonMsgStore.h"
#include "common/MsgLog.h"
#include "common/popup/MCommonPopup.h"
#include "viewer/MVBubbleRows.h"
#include "viewer/MVItem/MVItemBubble.h"
#include "viewer/MVListModel.h"
#include "viewer/MVListViewController.h"
#include "viewer/media/MVSoundPlayer.h"

namespace msg_app {
namespace msg_viewer {

namespace {
constexpr const char* DELETED_TEXT_ID = "WDS_MSG_TPOP_MESSAGE_DELETED_ABB";
constexpr const char* DELETE_TEXT_ID = "WDS_ALM_ACBUTTON_DELETE_ABB";
} // namespace

MVSelectMode::MVSelectMode(MVListViewController& list, MVListModel& model, MVBubbleRows& rows,
                           std::function<void()> optionsChanged)
    : _list(list), _model(model), _rows(rows), _optionsChanged(std::move(optionsChanged)),
      _select(list, {[this] { _list.doAction(MVListViewController::ACTION_DELETE); },
                     [this](bool checked) { checkAll(checked); }, [this] { return _model.getCount(); }}) {}

MVSelectMode::~MVSelectMode() {
    view_kit::WTimer::destroy(_toastIdler);
}

bool MVSelectMode::back() {
    if (_select.isBgActionRunning()) {
        MSG_LOGI("BACK action is not allowed for bgActionPopup");
        return false;
    }
    if (_select.closeSelectAllPopup())
        return false;
    if (!_select.isOn())
        return true;
    leave();
    return false;
}

std::vector<int> MVSelectMode::getCheckedIds() const {
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

void MVSelectMode::select(const std::vector<int>& msgIds) {
    if (!_select.isOn())
        enter(nullptr);
    checkAll(false);
    for (int id : msgIds) {
        if (_model.getIndexOf(id) < 0)
            continue;
        _checked.insert(id);
        if (MVItemBubble* bubble = _rows.find(id))
            bubble->setCheck(true);
    }
    _updateButtons();
}

void MVSelectMode::enter(MVItemBubble* first) {
    MSG_RET_IF(!_select.enter(DELETE_TEXT_ID), "view type is already SELECT");
    // Select all and the count go by every message of the conversation.
    _model.readRest();
    _checked.clear();
    _rows.setViewTypeToAll(VIEW_TYPE_SELECT);
    if (first) {
        first->setCheck(true);
        _checked.insert(first->getMsgId());
    }
    _updateButtons();
    // A tap on a clip now checks its bubble: nothing else could stop it, and it may be deleted.
    MVSoundPlayer::getInstance()->stop();
}

void MVSelectMode::leave() {
    MSG_RET_IF(!_select.leave(), "_viewType is not SELECT");
    _checked.clear();
    _rows.setViewTypeToAll(VIEW_TYPE_NORMAL);
    _list.createThreadOptions();
    _optionsChanged();
}

void MVSelectMode::onBubbleEvent(int event, MVItemBubble* bubble) {
    MSG_RET_IF(!bubble, "bubble is nullptr");
    switch (event) {
    case MVItemBubble::LONGPRESSED:
        enter(bubble);
        break;
    case MVItemBubble::CHECKED:
    case MVItemBubble::UNCHECKED:
        // The set holds checked messages only; an unchecked one leaves it.
        if (event == MVItemBubble::CHECKED)
            _checked.insert(bubble->getMsgId());
        else
            _checked.erase(bubble->getMsgId());
        _updateButtons();
        break;
    case MVItemBubble::CLICKED:
        break;
    default:
        MSG_LOGE("invalid event type (%d)", event);
        break;
    }
}

void MVSelectMode::_updateButtons() {
    MSG_RET_IF(!_select.isOn(), "_viewType is not SELECT");
    _select.showCount(static_cast<int>(_checked.size()));
    // While the worker deletes, the menu waits for the end instead of following every message.
    if (!_select.isBgActionRunning())
        _list.createThreadOptions();
}

void MVSelectMode::checkAll(bool checked) {
    MSG_RET_IF(!_select.isOn(), "it is not select view");
    _checked.clear();
    if (checked) {
        for (int i = 0; i < _model.getCount(); ++i)
            _checked.insert(_model.getMsgId(i));
    }
    _rows.checkAll(checked);
    _updateButtons();
}

void MVSelectMode::forget(int msgId) {
    if (_checked.erase(msgId) && _select.isOn())
        _updateButtons();
}

void MVSelectMode::forgetGone() {
    // Checked messages that went stay unchecked; the count says what is left.
    for (auto it = _checked.begin(); it != _checked.end();)
        it = _model.getIndexOf(*it) < 0 ? _checked.erase(it) : std::next(it);
    if (_select.isOn())
        _updateButtons();
}

void MVSelectMode::deleteChecked() {
    MSG_RET_IF(_select.isBgActionRunning(), "bgAction may be alive. please check it.");
    std::vector<int> ids = getCheckedIds();
    if (ids.empty())
        return;
    bool wholeThread = _model.isWholeThread(ids);
    if (wholeThread || ids.size() == 1) {
        if (wholeThread ? _model.deleteThread() : _model.deleteMessage(ids.front()))
            _showToast(DELETED_TEXT_ID);
        leave();
        return;
    }
    _deleteInBackground(std::move(ids));
}

void MVSelectMode::_deleteInBackground(std::vector<int> ids) {
    // The rows give up the focus while the popup is up: it would hand the focus back, as it goes,
    // to a row its deletion has removed.
    Evas_Object* genlist = _list.getGenlist();
    elm_object_tree_focus_allow_set(genlist, EINA_FALSE);
    // The worker owns its job; the popup (and this view with it) may go before it ends.
    auto job = std::make_shared<BgActionData>();
    job->ids = std::move(ids);
    bool shown = _select.runInBackground(
        "WDS_MSG_TPOP_DELETING_ING_ABB",
        [job](void*, view_kit::WThread::IStatus* status, Ecore_Thread*) { _bgDeleteWorker(*job, status); },
        [job](void* result) {
            job->isFinished = result && !job->doneIds.empty();
            if (!job->isFinished)
                MSG_LOGE("delete failed");
        },
        [this, job] { _onBgDeleteEnd(job->isFinished); });
    if (!shown)
        elm_object_tree_focus_allow_set(genlist, EINA_TRUE);
}

void MVSelectMode::_bgDeleteWorker(BgActionData& job, view_kit::WThread::IStatus* status) {
    // The worker's own clients, never the main loop's.
    MCommonMsgStore store;
    for (int id : job.ids) {
        if (status->isCancelRequested() ||
            MCommonAppEventMgr::getInstance()->getAppState() == APP_EVENT_TERMINATING) {
            MSG_LOGI("This Thread is canceled.");
            return;
        }
        if (store.messages.deleteMessage(id) == msg_store::MSG_STORE_SUCCESS)
            job.doneIds.push_back(id);
        else
            MSG_LOGE("deleteMessage failed");
    }
    if (!status->notify(&job))
        MSG_LOGE("sendFeedback failed");
}

void MVSelectMode::_onBgDeleteEnd(bool deleted) {
    elm_object_tree_focus_allow_set(_list.getGenlist(), EINA_TRUE);
    if (deleted)
        _showToast(DELETED_TEXT_ID);
    // No reload: each deletion has already reached the list through the store's change events,
    // and rebuilding the first page of a long conversation would stall the screen.
    if (_select.isOn())
        leave();
}

// Not the attached popup: attaching would close the progress popup a deletion's result comes from.
// Shown once that popup has gone: a toast shown over it would take the focus under the popup, and
// touch it, gone, when the toast closes.
void MVSelectMode::_showToast(const char* textId) {
    MCommonPopup::showToastWhenIdle(_list.getEvasObject(), textId, _toastIdler);
}

} // namespace msg_viewer
} // namespace msg_app
