// Deleting and restoring the checked rows: one at once, several on the progress popup's worker.
#include "common/CommonUtil.h"
#include "common/MCommonAppEventMgr.h"
#include "common/MsgLog.h"
#include "common/popup/MCommonPopup.h"
#include "common/popup/MCommonProgressPopup.h"
#include "list/MLItem/MLItemContent.h"
#include "list/MLListViewController.h"
#include "msg_store/MessageManager.h"
#include "msg_store/ThreadManager.h"

namespace msg_app {
namespace msg_list {

namespace {

constexpr int64_t MS_PER_SECOND = 1000;

bool isSpamFolder(msg_store::FolderType folder) {
    return folder == msg_store::FOLDER_SPAM || folder == msg_store::FOLDER_WATCH_SPAM;
}

// The row the user checked is still what the store holds under its id: the conversation has had
// no newer message since (it may have gone and come back under the same id with messages the
// user never saw), and a blocked message is still blocked.
bool isUnchanged(ListType listType, int id, time_t seenTime) {
    if (listType == LIST_TYPE_THREAD) {
        msg_store::Thread thread;
        if (msg_store::ThreadManager().getThread(id, thread) != msg_store::MSG_STORE_SUCCESS ||
            thread.msgCount == 0)
            return false;
        return thread.time / MS_PER_SECOND <= static_cast<int64_t>(seenTime);
    }
    msg_store::Message msg;
    return msg_store::MessageManager().getMessage(id, msg) == msg_store::MSG_STORE_SUCCESS &&
           isSpamFolder(msg.folderType);
}

} // namespace

void MLListViewController::doAction(Action action) {
    MSG_RET_IF(action == ACTION_NONE, "action is none");
    MSG_LOGI("action : old(%d) - new(%d)", _action, action);
    _action = action;
    if (_listStyle == LIST_STYLE_NORMAL) {
        _changeToSelectMode(nullptr);
        return;
    }
    std::vector<BgActionTarget> targets = _getCheckedTargets();
    MSG_LOGI("checked ids count(%d)", static_cast<int>(targets.size()));
    if (targets.size() == 1) {
        // A row that changed stays checked, so that the user can look again and decide.
        Outcome outcome = _doActionForOneItem(targets.front());
        _showResult(action, outcome == Outcome::DONE ? 1 : 0, outcome == Outcome::CHANGED ? 1 : 0);
        if (outcome == Outcome::DONE)
            _changeToNormalMode();
    } else if (targets.size() > 1) {
        _doActionForMultiItems(std::move(targets));
    }
}

MLListViewController::Outcome MLListViewController::_doActionForOneItem(const BgActionTarget& target) {
    BgActionData job;
    job.action = _action;
    job.listType = _listType;
    return _actOn(job, target);
}

MLListViewController::Outcome MLListViewController::_actOn(const BgActionData& job,
                                                           const BgActionTarget& target) {
    if (job.action == ACTION_RESTORE && job.listType != LIST_TYPE_BLOCKED_MSG) {
        MSG_LOGE("only blocked messages are restored");
        return Outcome::FAILED;
    }
    if (!isUnchanged(job.listType, target.id, target.seenTime)) {
        MSG_LOGW("item(%d) changed since it was checked; left as it is", target.id);
        return Outcome::CHANGED;
    }
    // A model of its own: the worker may outlive the list.
    MLListModel model(job.listType);
    bool done = job.action == ACTION_RESTORE ? model.restoreMsg(target.id) : model.deleteItem(target.id);
    return done ? Outcome::DONE : Outcome::FAILED;
}

void MLListViewController::_doActionForMultiItems(std::vector<BgActionTarget> targets) {
    MSG_RET_IF(!_bgActionPopup.expired(), "bgAction may be alive. please check it.");
    auto job = std::make_shared<BgActionData>();
    job->action = _action;
    job->listType = _listType;
    job->targets = std::move(targets);
    _bgJob = job;

    // Only the worker's copy of the job is touched off the main loop; the popup may go (and the
    // list with it) while the worker finishes its current id.
    MCommonProgressPopup* popup = MCommonProgressPopup::createBgActionPopup(
        MCommonProgressPopup::FULL,
        _action == ACTION_RESTORE ? "WDS_MSG_TPOP_RESTORING_ING_ABB" : "WDS_MSG_TPOP_DELETING_ING_ABB",
        [job](void*, view_kit::WThread::IStatus* status, Ecore_Thread*) { _bgActionWorker(job, status); },
        // The result is told once the progress popup has gone: one state on screen at a time.
        [job](void*, void*) { job->isFinished = true; },
        [this, job](void*) { _onBgActionPopupDestroyed(*job); },
        [](void*, bool* destroyPopup) {
            if (destroyPopup)
                *destroyPopup = false;
        },
        nullptr);
    if (!attachPopup(popup)) {
        MSG_LOGE("progress popup not shown");
        return;
    }
    _bgActionPopup = view_kit::weak_cast<MCommonProgressPopup>(popup->getWeakPtr());
}

void MLListViewController::_bgActionWorker(const std::shared_ptr<BgActionData>& job,
                                           view_kit::WThread::IStatus* status) {
    bool stopped = false;
    for (const BgActionTarget& target : job->targets) {
        Outcome outcome = _actOn(*job, target);
        if (outcome == Outcome::DONE)
            job->doneIds.push_back(target.id);
        else if (outcome == Outcome::CHANGED)
            ++job->changedCount;
        if (status->isCancelRequested()) {
            MSG_LOGI("This Thread is canceled.");
            stopped = true;
            break;
        }
        if (job->isTerminating) {
            stopped = true;
            break;
        }
    }
    if (!stopped) {
        MSG_LOGI("Requested id count : %d - Deleted id count : %d", static_cast<int>(job->targets.size()),
                 static_cast<int>(job->doneIds.size()));
        // The ids travel in the shared job; the message only says they are ready.
        if (status->notify(job.get()))
            return;
    }
    MSG_LOGW("Failed to send feedback.");
}

void MLListViewController::_onBgActionPopupDestroyed(const BgActionData& job) {
    if (MCommonAppEventMgr::getInstance()->getAppState() == APP_EVENT_TERMINATING) {
        MSG_LOGI("app is destroying. just return.");
        return;
    }
    MSG_RET_IF(_isDestroying, "list is destroying");
    _bgActionPopup.reset();
    if (job.isFinished)
        _showResult(job.action, job.doneIds.size(), job.changedCount);
    _bgJob.reset();
    if (_listStyle == LIST_STYLE_SELECT)
        _changeToNormalMode();
}

// Rows left alone are what the user must hear of: the ones done leave the list by themselves.
void MLListViewController::_showResult(Action action, size_t doneCount, size_t changedCount) {
    const bool restore = action == ACTION_RESTORE;
    if (changedCount > 0)
        _showToast(restore ? "WDS_MSG_TPOP_CHANGED_NOT_UNBLOCKED_ABB"
                           : "WDS_MSG_TPOP_CHANGED_NOT_DELETED_ABB");
    else if (doneCount > 0)
        _showToast(restore ? "WDS_MSG_TPOP_MESSAGE_UNBLOCKED_ABB" : "WDS_MSG_TPOP_MESSAGE_DELETED_ABB");
}

void MLListViewController::_showToast(const char* textId) {
    if (!common_util::is_main_app()) {
        MCommonPopup::launchPopup(textId, MCommonPopup::SENT_SUCCESS);
        return;
    }
    // Shown once the progress popup the result may come from has gone; not the attached popup,
    // which leaving select mode closes.
    MCommonPopup::showToastWhenIdle(getEvasObject(), textId, _toastIdler);
}

} // namespace msg_list
} // namespace msg_app
