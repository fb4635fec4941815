/*
 * Deleting or restoring (unblocking) the checked rows of a list: one at once, several on a worker
 * behind select mode's progress popup, and the result told in a toast once that popup has gone.
 * A row that changed since the user checked it is left alone and the user is told so. The rows
 * themselves leave the list through the store's change notices. A single row is done through the
 * list's store object; the worker reads and writes through an object of its own. Main loop only,
 * but the worker.
 */
#ifndef MSG_APP_LIST_MLLISTBULKACTION_H
#define MSG_APP_LIST_MLLISTBULKACTION_H

#include "list/MLListTypes.h"
#include "view_kit/WThread.h"
#include "view_kit/WTimer.h"
#include "view_kit/WViewController.h"

#include <atomic>
#include <ctime>
#include <functional>
#include <memory>
#include <vector>

namespace msg_app {

class MCommonSelectMode;
struct MCommonMsgStore;

namespace msg_list {

class MLListBulkAction {
public:
    // What became of one row.
    enum class Outcome { DONE, CHANGED, FAILED };
    // One row to act on: its id and the time the row showed when it was checked, so that a
    // conversation that changed meanwhile is left alone.
    struct Target {
        int id;
        time_t seenTime;
    };
    // The worker's job, shared with it so that it outlives the list. The worker fills doneIds
    // before it tells the main loop; the main loop sets isTerminating.
    struct BgActionData {
        bool restore = false;
        ListType listType = LIST_TYPE_THREAD;
        std::vector<Target> targets;
        std::vector<int> doneIds;
        // Rows left alone because they changed since they were checked.
        size_t changedCount = 0;
        std::atomic<bool> isTerminating{false};
        // The worker went through every target and reported: there is a result to tell.
        bool isFinished = false;
    };

    // The owner's view shows the toasts; the owner, select mode and the store outlive this part.
    MLListBulkAction(ListType listType, MCommonSelectMode& select, view_kit::WViewController& owner,
                     MCommonMsgStore& store);
    ~MLListBulkAction();
    MLListBulkAction(const MLListBulkAction&) = delete;
    MLListBulkAction& operator=(const MLListBulkAction&) = delete;

    // Acts on one row at once and tells the user how it went.
    Outcome runOne(bool restore, const Target& target);
    // Acts on several rows on the worker; ended runs once its popup has gone and the result is told.
    // False when the worker could not start.
    bool runMany(bool restore, std::vector<Target> targets, std::function<void()> ended);
    // The application ends: a running worker stops after its current row.
    void stopWorker();
    // No toast is left to show: for an owner that is going.
    void dropToast();

private:
    void _showResult(bool restore, size_t doneCount, size_t changedCount);
    void _showToast(const char* textId);
    static Outcome _actOn(const BgActionData& job, MCommonMsgStore& store, const Target& target);
    static void _work(const std::shared_ptr<BgActionData>& job, view_kit::WThread::IStatus* status);

    const ListType _listType;
    MCommonSelectMode& _select;
    view_kit::WViewController& _owner;
    MCommonMsgStore& _store;
    std::weak_ptr<BgActionData> _job;
    std::weak_ptr<view_kit::WTimer> _toastIdler;
};

} // namespace msg_list
} // namespace msg_app

#endif
