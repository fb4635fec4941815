#include "list/MLListBulkAction.h"

#include "common/CommonUtil.h"
#include "common/MCommonMsgStore.h"
#include "common/MsgLog.h"
#include "common/popup/MCommonPopup.h"
#include "common/view/MCommonSelectMode.h"
#include "list/MLListModel.h"

namespace msg_app {
namespace msg_list {

MLListBulkAction::MLListBulkAction(ListType listType, MCommonSelectMode& select,
                                   view_kit::WViewController& owner, MCommonMsgStore& store)
    : _listType(listType), _select(select), _owner(owner), _store(store) {}

MLListBulkAction::~MLListBulkAction() {
    dropToast();
}

void MLListBulkAction::dropToast() {
    view_kit::WTimer::destroy(_toastIdler);
}

void MLListBulkAction::stopWorker() {
    if (auto job = _job.lock())
        job->isTerminating = true;
}

MLListBulkAction::Outcome MLListBulkAction::runOne(bool restore, const Target& target) {
    BgActionData job;
    job.restore = restore;
    job.listType = _listType;
    Outcome outcome = _actOn(job, _store, target);
    _showResult(restore, outcome == Outcome::DONE ? 1 : 0, outcome == Outcome::CHANGED ? 1 : 0);
    return outcome;
}

MLListBulkAction::Outcome MLListBulkAction::_actOn(const BgActionData& job, MCommonMsgStore& store,
                                                   const Target& target) {
    if (job.restore && job.listType != LIST_TYPE_BLOCKED_MSG) {
        MSG_LOGE("only blocked messages are restored");
        return Outcome::FAILED;
    }
    // A model of its own over the caller's store: the worker may outlive the list and its model.
    MLListModel model(job.listType, store);
    if (!model.isUnchangedSince(target.id, target.seenTime)) {
        MSG_LOGW("item(%d) changed since it was checked; left as it is", target.id);
        return Outcome::CHANGED;
    }
    bool done = job.restore ? model.restoreMsg(target.id) : model.deleteItem(target.id);
    return done ? Outcome::DONE : Outcome::FAILED;
}

bool MLListBulkAction::runMany(bool restore, std::vector<Target> targets, std::function<void()> ended) {
    auto job = std::make_shared<BgActionData>();
    job->restore = restore;
    job->listType = _listType;
    job->targets = std::move(targets);
    // Only the worker's copy of the job is touched off the main loop; the popup may go (and the
    // list with it) while the worker finishes its current id.
    bool started = _select.runInBackground(
        restore ? "WDS_MSG_TPOP_RESTORING_ING_ABB" : "WDS_MSG_TPOP_DELETING_ING_ABB",
        [job](void*, view_kit::WThread::IStatus* status, Ecore_Thread*) { _work(job, status); },
        [job](void*) { job->isFinished = true; },
        [this, job, ended = std::move(ended)] {
            if (job->isFinished)
                _showResult(job->restore, job->doneIds.size(), job->changedCount);
            ended();
        });
    if (started)
        _job = job;
    return started;
}

void MLListBulkAction::_work(const std::shared_ptr<BgActionData>& job, view_kit::WThread::IStatus* status) {
    // The worker's own store object: the list's belongs to the main loop and may go first.
    MCommonMsgStore store;
    bool stopped = false;
    for (const Target& target : job->targets) {
        Outcome outcome = _actOn(*job, store, target);
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

// Rows left alone are what the user must hear of: the ones done leave the list by themselves.
void MLListBulkAction::_showResult(bool restore, size_t doneCount, size_t changedCount) {
    if (changedCount > 0)
        _showToast(restore ? "WDS_MSG_TPOP_CHANGED_NOT_UNBLOCKED_ABB"
                           : "WDS_MSG_TPOP_CHANGED_NOT_DELETED_ABB");
    else if (doneCount > 0)
        _showToast(restore ? "WDS_MSG_TPOP_MESSAGE_UNBLOCKED_ABB" : "WDS_MSG_TPOP_MESSAGE_DELETED_ABB");
}

void MLListBulkAction::_showToast(const char* textId) {
    if (!common_util::is_main_app()) {
        MCommonPopup::launchPopup(textId, MCommonPopup::SENT_SUCCESS);
        return;
    }
    // Shown once the progress popup the result may come from has gone; not the attached popup,
    // which leaving select mode closes.
    MCommonPopup::showToastWhenIdle(_owner.getEvasObject(), textId, _toastIdler);
}

} // namespace msg_list
} // namespace msg_app
