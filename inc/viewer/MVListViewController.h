/*
 * The body of the conversation screen: a genlist of the thread's bubbles,
 * newest at the bottom, built a page at a time from the newest and older
 * pages as the user reaches the top. Its parts keep the rows in place
 * (MVBubbleRows), check and delete messages (MVSelectMode), keep the rows in
 * step with the store while it lives (MVStoreSync), and act on the
 * conversation (MVConversationActions, MVRotaryReply). The screen container
 * embeds it and listens to its events.
 */
#ifndef MSG_APP_VIEWER_MVLISTVIEWCONTROLLER_H
#define MSG_APP_VIEWER_MVLISTVIEWCONTROLLER_H

#include "common/IMCommonAppEventListener.h"
#include "common/MCommonMsgStore.h"
#include "common/ui/MCommonRotaryActivateMgr.h"
#include "view_kit/WFrameWait.h"
#include "view_kit/WSignal.h"
#include "view_kit/WTimer.h"
#include "view_kit/WViewController.h"
#include "viewer/MVBubbleLabelQueue.h"
#include "viewer/MVBubbleRows.h"
#include "viewer/MVItem/MVItem.h"
#include "viewer/MVItem/MVItemBubble.h"
#include "viewer/MVListModel.h"
#include "viewer/MVPlaceHold.h"
#include "viewer/MVRotaryReply.h"
#include "viewer/MVSelectMode.h"
#include "viewer/MVStoreSync.h"

#include <efl_extension.h>

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
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
    // Bubbles built at once: the newest page first, then one more each time the top is reached.
    static constexpr int PAGE_SIZE = 30;
    // The newest bubbles put in before the first frame; the rest of the first page follows.
    static constexpr int FIRST_SCREEN_SIZE = 6;
    // An older page goes in this many rows at a time, one step per main-loop iteration: the whole
    // page in one would hold a frame up. The genlist lays out each row put in and the rows after it in
    // its block again, over twenty rows for ten; five a step keeps a fast scroll ahead of its rows.
    static constexpr int PAGE_STEP = 5;
    // A finger held from the slide-in is looked after this long for a bubble to rest under it: a
    // busy watch may take seconds to measure the first rows and let the end go.
    static constexpr double HELD_FINGER_WAIT = 10.0;
    // The newest messages read before the first frame: the first page and the older one measured
    // ahead. The rest of a long conversation is read once that frame is shown.
    static constexpr int FIRST_READ_SIZE = 2 * PAGE_SIZE;
    // The body text's text class, which the double tap enlarges.
    static constexpr const char* BODY_TEXT_CLASS = MVItemBubble::BODY_TEXT_CLASS;
    // How far a finger moves up past the end of the list to launch the reply.
    static constexpr int DRAG_TO_REPLY_DISTANCE = MVRotaryReply::DRAG_DISTANCE;
    // A change of more messages than this reloads the page instead of touching rows one by one.
    static constexpr size_t MAX_CHANGES_ONE_BY_ONE = MVStoreSync::MAX_CHANGES_ONE_BY_ONE;

    // store: the screen owner's, which outlives this view.
    MVListViewController(int threadId, MCommonMsgStore& store);
    ~MVListViewController() override;

    const char* getClassName() const override { return "MVListViewController"; }
    int getThreadId() const { return _threadId; }
    Evas_Object* getGenlist() const { return _genlist; }
    const MVListModel& getModel() const { return _model; }
    // Bubbles in the list.
    int getLoadedCount() const { return _rows.getCount(); }
    // A place (the end as the conversation opens, the bubble read after a change built the page
    // again) is still brought back as the rows find their heights.
    bool isPlaceHeld() const { return _placeHold && _placeHold->isHeld(); }
    MVItemBubble* findBubble(int msgId) const { return _rows.find(msgId); }
    MVItemReply* getReplyItem() const { return _replyItem; }
    // What the user does on the conversation and its bubbles, apart from select mode.
    MVConversationActions& getActions() const { return *_actions; }

    unsigned int addEventListener(std::function<void(Event, const MVListViewController*)> listener,
                                  Evas_Object* owner);
    void removeEventListener(unsigned int& id);

    void doAction(Action action);
    // The page has come in and takes input: a finger that touched a bubble's text while it slid
    // in, and rests there still, presses that bubble; once the list rests, when its rows are
    // still finding their places. So does a finger that comes down while the rows find them, or on
    // a bubble whose text is being built again.
    void takeHeldFinger();
    // True when the screen may be left.
    bool back();
    // Puts the first rows of the next older page in, as reaching the top of the list does; the
    // rest follow in the next iterations while the list is still, or when the top is reached again.
    void loadOlderPage();
    // Switches the body between the large text and the user's size, keeping the row at y in view.
    void toggleFontSize(int y);

    void appEventListener(MCommonAppEventType type) override;

    // The option panel's entries for this conversation, or for the checked messages in select mode.
    void createThreadOptions();
    ViewType getViewType() const { return _selectMode.getViewType(); }
    // The checked messages, oldest first.
    std::vector<int> getCheckedIds() const { return _selectMode.getCheckedIds(); }
    // What the count button shows; -1 outside select mode.
    int getCheckedCount() const { return _selectMode.getCheckedCount(); }
    Evas_Object* getBottomButton() const { return _selectMode.getBottomButton(); }
    bool isBgActionRunning() const { return _selectMode.isBgActionRunning(); }
    // Enters select mode (if needed) with exactly these messages checked, as a user's taps would.
    void selectMessages(const std::vector<int>& msgIds) { _selectMode.select(msgIds); }
    // Everything or nothing checked, as the count button's popup offers.
    void checkAll(bool checked) { _selectMode.checkAll(checked); }

protected:
    Evas_Object* onCreateView(Evas_Object* parent, void* param) override;
    void onCreated() override;
    void onDestroy() override;

private:
    // A row deleted by whoever leaves the rows' index, which it reaches through its bubble's view.
    friend class MVBubbleRows;
    friend class MVListViewControllerTestPeer;

    bool _createGenlist();
    void _listLoad();
    void _cancelRestRead();
    // The rows built again: from the bubble of readMsgId at the top of the screen, else the first
    // screen of the newest bubbles at the end.
    void _rebuild(int readMsgId);
    // Empties the list and builds the newest `count` bubbles and the rows under them.
    void _buildRows(int count);
    void _loadRestOfPage();
    void _loadBubbles(int pageSize);
    // The next rows of the page going in, at most PAGE_STEP.
    void _putPageStep();
    void _schedulePageRest();
    void _cancelPageRest();
    void _showEnd();
    // True when there is nothing more to wait for: the finger taken, lifted, or held too long.
    bool _tryHeldFinger();
    Elm_Object_Item* _middleItem() const;
    void _noteReadRow();
    void _redrawRowsInPlace();
    void _startMeasuringAhead();
    // The bubble measured ahead for the message, unless the store changed it since; null if none.
    std::unique_ptr<MVItemBubble> _takeAheadBubble(int msgId);
    void _stopMeasuringAhead();
    // Measures one bubble of the next older page; false when there is none left to measure.
    bool _measureNextAhead();
    // Null when the message cannot be shown.
    std::unique_ptr<MVItemBubble> _createBubble(int msgId);
    void _appendEndRows();
    void _sendEvent(Event event);
    MVStoreSync::Host _storeSyncHost();

    bool _actionReply(bool slide);
    static void _edgeTopCb(void* data, Evas_Object* obj, void* eventInfo);
    // A finger, the wheel or the bezel moves the list: nothing else moves it from now on.
    static void _userScrollCb(void* data, Evas_Object* obj, void* eventInfo);
    void _watchMotion(bool watch);
    // A drag or a scroll's animation starts or stops: the flag it sets, and to what.
    template <bool MVListViewController::*Flag, bool Moving>
    static void _motionCb(void* data, Evas_Object* obj, void* eventInfo);
    void _onUserScroll();
    static void _realizedCb(void* data, Evas_Object* obj, void* eventInfo);
    static void _genlistDownCb(void* data, Evas* e, Evas_Object* obj, void* eventInfo);
    static Eina_Bool _restReadStartCb(void* data);
    static Evas_Event_Flags _doubleTapCb(void* data, void* eventInfo);

    int _threadId;
    Evas_Object* _selectModeLayout = nullptr;
    Evas_Object* _gestureLayer = nullptr;
    Evas_Object* _genlist = nullptr;
    // The row in the middle of the screen as the language began to change.
    Elm_Object_Item* _readBeforeRedraw = nullptr;
    MVItemReply* _replyItem = nullptr;
    Elm_Object_Item* _titleItem = nullptr;
    bool _browserAvailable = false;
    std::unique_ptr<MVRotaryReply> _rotaryReply;
    std::unique_ptr<MVPlaceHold> _placeHold;
    std::unique_ptr<MVBubbleLabelQueue> _labelQueue;
    std::unique_ptr<MVListAccessOrder> _accessOrder;
    std::unique_ptr<MCommonRotaryActivateMgr::Item> _rotaryItem;
    // Answers of other applications check it: they may come after this view has gone.
    std::shared_ptr<bool> _alive = std::make_shared<bool>(true);
    view_kit::WSignal<void(Event, const MVListViewController*)> _signal;
    MVListModel _model;
    MVBubbleRows _rows;
    MVSelectMode _selectMode;
    std::unique_ptr<MVConversationActions> _actions;
    MVStoreSync _storeSync;
    std::weak_ptr<view_kit::WTimer> _restOfPageIdler;
    std::weak_ptr<view_kit::WTimer> _heldFingerTimer;
    double _heldFingerSince = 0;
    // Where the finger was when it began to be looked after: one that moves away is a drag.
    int _heldFingerX = 0;
    int _heldFingerY = 0;
    // The messages older than the first read are read after the frame that shows it: the frame
    // awaited, then the start in the loop's next turn.
    view_kit::WFrameWait _restReadFrame;
    Ecore_Idle_Enterer* _restReadStart = nullptr;
    std::weak_ptr<view_kit::WTimer> _readNoteIdler; // forgets _readBeforeRedraw
    // The first screen of bubbles is in and the rest of the first page waits for it to be shown.
    bool _restOfPageWaiting = false;
    std::shared_ptr<MVBubbleSizer> _sizer;
    // The next older page is measured after the frame that shows the rows just put in: the frame
    // awaited, then the slices' timer.
    view_kit::WFrameWait _aheadFrame;
    std::weak_ptr<view_kit::WTimer> _aheadTimer;
    int _aheadCount = 0; // bubbles of the next older page measured so far
    // Those bubbles, by message id, taken for the page's rows when it goes in.
    std::unordered_map<int, std::unique_ptr<MVItemBubble>> _aheadBubbles;
    // Rows of the older page going in that are not in yet. Rows put in above keep the rows in view
    // where they are only while the list is still: a drag or a scroll's animation carries on
    // from where it began, and would land that much off.
    int _pageRest = 0;
    std::weak_ptr<view_kit::WTimer> _pageRestTimer;
    bool _dragging = false;
    bool _animating = false;
};

} // namespace msg_viewer
} // namespace msg_app

#endif
