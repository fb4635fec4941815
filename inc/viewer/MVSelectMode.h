/*
 * Select mode of a conversation on top of the shared select mode: the checked messages, checking
 * bubbles, the count button's select all, and deleting what is checked: one message at once, the
 * whole conversation in one call when every message it holds is checked, several on the progress
 * popup's worker. Main loop only, but the worker.
 */
#ifndef MSG_APP_VIEWER_MVSELECTMODE_H
#define MSG_APP_VIEWER_MVSELECTMODE_H

#include "common/view/MCommonSelectMode.h"
#include "view_kit/WThread.h"
#include "view_kit/WTimer.h"
#include "viewer/MVItem/MVItem.h"

#include <functional>
#include <memory>
#include <set>
#include <vector>

namespace msg_app {
namespace msg_viewer {

class MVBubbleRows;
class MVItemBubble;
class MVListModel;
class MVListViewController;

class MVSelectMode {
public:
    // The job of the worker that deletes several messages, shared with it so that it outlives the
    // view. The worker fills doneIds before it tells the main loop.
    struct BgActionData {
        std::vector<int> ids;
        std::vector<int> doneIds;
        // The worker went through every message, and deleted one at least.
        bool isFinished = false;
    };

    // list: the conversation, whose view takes the buttons and popups and whose option panel
    // follows the checks; optionsChanged: its entries changed once select mode is left. The
    // conversation, its model and its rows outlive this part.
    MVSelectMode(MVListViewController& list, MVListModel& model, MVBubbleRows& rows,
                 std::function<void()> optionsChanged);
    ~MVSelectMode();
    MVSelectMode(const MVSelectMode&) = delete;
    MVSelectMode& operator=(const MVSelectMode&) = delete;

    void setLayout(Evas_Object* selectModeLayout) { _select.setLayout(selectModeLayout); }
    bool isOn() const { return _select.isOn(); }
    ViewType getViewType() const { return isOn() ? VIEW_TYPE_SELECT : VIEW_TYPE_NORMAL; }
    // A bubble built now shows whether its message is checked.
    bool isChecked(int msgId) const { return isOn() && _checked.count(msgId); }
    // The checked messages, oldest first.
    std::vector<int> getCheckedIds() const;
    int getCheckedCount() const { return _select.getCheckedCount(); }
    Evas_Object* getBottomButton() const { return _select.getBottomButton(); }
    bool isBgActionRunning() const { return _select.isBgActionRunning(); }

    // On with the bubble checked (or none); nothing when on already.
    void enter(MVItemBubble* first);
    void leave();
    // On (if needed) with exactly these messages checked.
    void select(const std::vector<int>& msgIds);
    void checkAll(bool checked);
    // A bubble long-pressed, checked or unchecked.
    void onBubbleEvent(int event, MVItemBubble* bubble);
    // The back key: false while select mode takes it (it closes the popup or leaves the mode).
    bool back();
    void deleteChecked();
    // A message that went leaves the checks; after a reload, every message that went.
    void forget(int msgId);
    void forgetGone();
    // Closes the progress popup without an end: for a conversation that is going.
    void dropBgAction() { _select.dropBgAction(); }

private:
    void _updateButtons();
    void _deleteInBackground(std::vector<int> ids);
    static void _bgDeleteWorker(BgActionData& job, view_kit::WThread::IStatus* status);
    void _onBgDeleteEnd(bool deleted);
    void _showToast(const char* textId);

    MVListViewController& _list;
    MVListModel& _model;
    MVBubbleRows& _rows;
    std::function<void()> _optionsChanged;
    MCommonSelectMode _select;
    std::set<int> _checked; // checked messages only: an unchecked one is never acted on
    std::weak_ptr<view_kit::WTimer> _toastIdler;
};

} // namespace msg_viewer
} // namespace msg_app

#endif
