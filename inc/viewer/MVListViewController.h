/*
 * The body of the conversation screen: a genlist of the thread's bubbles,
 * newest at the bottom, built a page at a time from the newest and older
 * pages as the user reaches the top; kept in step with the message store
 * while it lives. It replies to the conversation through the input
 * selector. The screen container embeds it and listens to its events.
 */
#ifndef MSG_APP_VIEWER_MVLISTVIEWCONTROLLER_H
#define MSG_APP_VIEWER_MVLISTVIEWCONTROLLER_H

#include "common/IMCommonAppEventListener.h"
#include "common/MCommonStoreSubscription.h"
#include "common/ui/MCommonRotaryActivateMgr.h"
#include "common/view/MCommonSelectMode.h"
#include "view_kit/WSignal.h"
#include "view_kit/WTimer.h"
#include "view_kit/WViewController.h"
#include "viewer/MVItem/MVItem.h"
#include "viewer/MVItem/MVItemBubble.h"
#include "viewer/MVListModel.h"
#include "viewer/MVRotaryReply.h"

#include <efl_extension.h>

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace msg_app {

namespace msg_viewer {

class MVBubbleSizer;
class MVConversationActions;
class MVItemReply;
class MVListAccessOrder;

class MVListViewController : public view_kit::WViewController, public IMCommonAppEventListener {
public:
    enum Event : int {
        EVENT_OPTIONS_CHANGED = 0,
        EVENT_EMPTY = 4, // the conversation has no message left
        EVENT_RESUMED = 5,
        EVENT_PAUSED = 6,
    };
    enum Action : int {
        ACTION_REPLY = 1,
        ACTION_CALL = 2,
        ACTION_DELETE = 3,
        ACTION_SELECT_MODE = 4,
        ACTION_RECIPIENTS = 5,
        ACTION_SHOW_ON_PHONE = 6,
        ACTION_EXPORT_TO_PHONE = 7,
        ACTION_SEND_LOCATION = 8,
        ACTION_BLOCK = 9,
        ACTION_UNBLOCK = 10,
        ACTION_ADD_CONTACT = 11,
    };
    // The job of the worker that deletes several messages, shared with it so that it outlives the
    // view. The worker fills doneIds before it tells the main loop.
    struct BgActionData {
        std::vector<int> ids;
        std::vector<int> doneIds;
        // The worker went through every message, and deleted one at least.
        bool isFinished = false;
    };
    // Bubbles built at once: the newest page first, then one more each time the top is reached.
    static constexpr int PAGE_SIZE = 30;
    // The newest bubbles put in before the first frame; the rest of the first page follows.
    static constexpr int FIRST_SCREEN_SIZE = 6;
    // The body text's text class, which the double tap enlarges.
    static constexpr const char* BODY_TEXT_CLASS = MVItemBubble::BODY_TEXT_CLASS;
    // How far a finger moves up past the end of the list to launch the reply.
    static constexpr int DRAG_TO_REPLY_DISTANCE = MVRotaryReply::DRAG_DISTANCE;
    // A change of more messages than this reloads the page instead of touching rows one by one.
    static constexpr size_t MAX_CHANGES_ONE_BY_ONE = 50;

    explicit MVListViewController(int threadId);
    ~MVListViewController() override;

    const char* getClassName() const override { return "MVListViewController"; }
    int getThreadId() const { return _threadId; }
    Evas_Object* getGenlist() const { return _genlist; }
    const MVListModel& getModel() const { return _model; }
    // Bubbles in the list.
    int getLoadedCount() const { return _loadedCount; }
    MVItemBubble* findBubble(int msgId) const;
    MVItemReply* getReplyItem() const { return _replyItem; }
    // What the user does on the conversation and its bubbles, apart from select mode.
    MVConversationActions& getActions() const { return *_actions; }

    unsigned int addEventListener(std::function<void(Event, const MVListViewController*)> listener,
                                  Evas_Object* owner);
    void removeEventListener(unsigned int& id);

    void doAction(Action action);
    // The page has come in and takes input: a finger that touched a bubble's text while it slid
    // in, and rests there still, presses that bubble.
    void takeHeldFinger();
    // True when the screen may be left.
    bool back();
    // Loads the next older page, as reaching the top of the list does.
    void loadOlderPage();
    // Switches the body between the large text and the user's size, keeping the row at y in view.
    void toggleFontSize(int y);

    void appEventListener(MCommonAppEventType type) override;

    // The option panel's entries for this conversation, or for the checked messages in select mode.
    void createThreadOptions();
    ViewType getViewType() const { return _select.isOn() ? VIEW_TYPE_SELECT : VIEW_TYPE_NORMAL; }
    // The checked messages, oldest first.
    std::vector<int> getCheckedIds() const;
    // What the count button shows; -1 outside select mode.
    int getCheckedCount() const { return _select.getCheckedCount(); }
    Evas_Object* getBottomButton() const { return _select.getBottomButton(); }
    bool isBgActionRunning() const { return _select.isBgActionRunning(); }
    // Enters select mode (if needed) with exactly these messages checked, as a user's taps would.
    void selectMessages(const std::vector<int>& msgIds);
    // Everything or nothing checked, as the count button's popup offers.
    void checkAll(bool checked);

protected:
    Evas_Object* onCreateView(Evas_Object* parent, void* param) override;
    void onCreated() override;
    void onDestroy() override;

private:
    bool _createGenlist();
    void _listLoad();
    // Empties the list and builds the newest `count` bubbles and the rows under them.
    void _buildRows(int count);
    void _loadRestOfPage();
    void _loadBubbles(int pageSize);
    void _showEnd();
    void _placeRows(std::vector<std::unique_ptr<MVItem>> newestFirst, bool intoEmptyList);
    void _startMeasuringAhead();
    // Measures one bubble of the next older page; false when there is none left to measure.
    bool _measureNextAhead();
    // Null when the message cannot be shown.
    std::unique_ptr<MVItemBubble> _createBubble(int msgId);
    Elm_Object_Item* _oldestShownBubbleItem() const;
    void _appendEndRows();
    void _sendEvent(Event event);
    static MVItem* _itemOf(Elm_Object_Item* item);
    std::vector<Elm_Object_Item*> _realizedItems() const;

    // Keeping in step with the store.
    void _subscribe();
    void _onStorageChanged(const char* payload);
    void _onContentChanged(const char* payload);
    void _applyChange(int changeType, int msgId);
    // The page built again from the store, where the user was reading. The thread is read on a
    // worker; changes that come meanwhile go to the rows shown at once and again after.
    void _reload();
    void _onReloaded(std::vector<msg_store::Conversation>&& conversations);
    // When the bubbles shown still stand for the newest messages, in order and at their times,
    // each takes its new record in place and true is returned: the rows under a finger stay.
    bool _refreshShown();
    // The first bubble that starts on the screen (else the one its top cuts); false at the end of
    // the conversation, which a reload shows again anyway.
    bool _readingPlace(int& msgId) const;
    // That bubble at the top of the screen again.
    void _restoreReadingPlace(int msgId);
    void _markThreadRead(const std::vector<int>& insertedIds);
    // The row a bubble of this message goes above: its newer neighbour's, else the end rows.
    Elm_Object_Item* _rowAfter(int msgId) const;
    Elm_Object_Item* _firstEndRow() const;
    // A bubble put in the list is found by its message id until its row is deleted, by whoever.
    void _indexBubble(MVItemBubble* bubble);
    static void _bubbleDelCb(void* data, Evas_Object* obj, void* eventInfo);
    void _insertMessage(int msgId);
    void _updateMessage(int msgId);
    void _deleteMessage(int msgId);
    void _markRead(const msg_store::Conversation& conv);
    void _addBubble(const std::shared_ptr<msg_store::Conversation>& conv);
    void _deleteBubble(int msgId);
    void _remeasureLater();
    void _refreshTimes();
    // Actions.
    bool _actionReply(bool slide);
    std::string _firstAddress() const;
    static void _edgeTopCb(void* data, Evas_Object* obj, void* eventInfo);
    // A finger, the wheel or the bezel moves the list: nothing else moves it from now on.
    static void _userScrollCb(void* data, Evas_Object* obj, void* eventInfo);
    void _onUserScroll();
    static void _realizedCb(void* data, Evas_Object* obj, void* eventInfo);
    static Evas_Event_Flags _doubleTapCb(void* data, void* eventInfo);

    void _showToast(const char* textId);

    // Select mode and deleting.
    void _changeToSelectMode(MVItemBubble* first);
    void _changeToNormalMode();
    void _setViewTypeToAll(ViewType viewType);
    void _onBubbleEvent(int event, MVItem* item);
    void _updateSelectModeButtons();
    void _actionDelete();
    void _deleteInBackground(std::vector<int> ids);
    static void _bgDeleteWorker(BgActionData& job, view_kit::WThread::IStatus* status);
    void _onBgDeleteEnd(bool deleted);

    int _threadId;
    Evas_Object* _selectModeLayout = nullptr;
    Evas_Object* _gestureLayer = nullptr;
    Evas_Object* _genlist = nullptr;
    MVItemReply* _replyItem = nullptr;
    Elm_Object_Item* _titleItem = nullptr;
    int _msgCount = 0;
    int _loadedCount = 0;
    bool _browserAvailable = false;
    MCommonStoreSubscription _storeSubscription;
    std::unique_ptr<MVRotaryReply> _rotaryReply;
    std::unique_ptr<MVListAccessOrder> _accessOrder;
    std::unique_ptr<MCommonRotaryActivateMgr::Item> _rotaryItem;
    std::set<int> _checked; // checked messages only: an unchecked one is never acted on
    // Answers of other applications check it: they may come after this view has gone.
    std::shared_ptr<bool> _alive = std::make_shared<bool>(true);
    view_kit::WSignal<void(Event, const MVListViewController*)> _signal;
    MVListModel _model;
    MCommonSelectMode _select;
    std::unique_ptr<MVConversationActions> _actions;
    std::weak_ptr<view_kit::WTimer> _restOfPageIdler;
    // The first screen of bubbles is in and the rest of the first page waits for it to be shown.
    bool _restOfPageWaiting = false;
    std::shared_ptr<MVBubbleSizer> _sizer;
    std::weak_ptr<view_kit::WTimer> _aheadTimer;
    int _aheadCount = 0; // bubbles of the next older page measured so far
    std::weak_ptr<view_kit::WTimer> _remeasureTimer;
    std::weak_ptr<view_kit::WTimer> _toastIdler;
    // The bubbles in the list by message id.
    std::unordered_map<int, MVItemBubble*> _bubbles;
    bool _reloading = false;
    bool _reloadAgain = false;
    // (change type, message id) of the changes applied while the thread was read for a reload.
    std::vector<std::pair<int, int>> _changesWhileReloading;
    // Messages of reloaded changes that are marked read once the reload is in.
    std::vector<int> _insertedToMark;
};

} // namespace msg_viewer
} // namespace msg_app

#endif
