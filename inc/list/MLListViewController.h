/*
 * The scrolling list of the list screen: fills a genlist from the list model,
 * keeps its rows in step with the message store while the screen lives and
 * defers changes that arrive while the application is paused. In select mode
 * the user checks rows and deletes or restores them: one at once, several on
 * a worker behind a progress popup. A tap opens the conversation (or the
 * blocked message), the button row opens the composer.
 */
#ifndef MSG_APP_LIST_MLLISTVIEWCONTROLLER_H
#define MSG_APP_LIST_MLLISTVIEWCONTROLLER_H

#include "common/IMCommonAppEventListener.h"
#include "common/ui/MCommonRotaryActivateMgr.h"
#include "list/MLItem/MLItem.h"
#include "list/MLListModel.h"
#include "view_kit/WContentViewController.h"
#include "view_kit/WThread.h"
#include "view_kit/WTimer.h"
#include "view_kit/WViewController.h"

#include <atomic>
#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

namespace msg_app {

class MCommonCountBtnViewController;
class MCommonProgressPopup;
class MCommonSelectCtxPopup;

namespace msg_list {

class MLItemContent;
class MLItemButtonMenu;

// The entries the list offers to the screen's more-option menu.
enum MoreOption : uint8_t {
    MORE_OPTION_NEW_MESSAGE = 0,
    MORE_OPTION_DELETE = 1,
    MORE_OPTION_RESTORE = 2,
};

class MLListViewController : public view_kit::WViewController, public IMCommonAppEventListener {
public:
    enum Event : int {
        EVENT_CHANGED = 0,             // the rows or the selection changed
        EVENT_EMPTY_STATE_CHANGED = 1, // the blocked list became empty or got its first row
    };
    enum Action : int { ACTION_NONE = 0, ACTION_DELETE = 1, ACTION_RESTORE = 2 };
    enum Update : int { UPDATE_NONE = 0, UPDATE_REDRAW = 1, UPDATE_RELOAD = 2 };

    // More ids than this in one change rebuild the list instead of walking it per id.
    static constexpr size_t MAX_CHANGES_ONE_BY_ONE = 50;
    // Changes applied at once while paused before the rest wait for the resume.
    static constexpr int PAUSED_CHANGES_APPLIED = 5;
    // Screen names of the pages a tap pushes.
    static constexpr const char* VIEWER_NAME = "msg_viewer";
    static constexpr const char* BLOCK_VIEWER_NAME = "msg_block";

    // What became of one row.
    enum class Outcome { DONE, CHANGED, FAILED };
    // One row the background action works on: its id and the time the row showed when the
    // action began, so that a conversation that changed meanwhile is left alone.
    struct BgActionTarget {
        int id;
        time_t seenTime;
    };
    // The job of the progress popup's worker, shared with it so that it outlives the list. The
    // worker fills doneIds before it tells the main loop; the main loop sets isTerminating.
    struct BgActionData {
        Action action = ACTION_NONE;
        ListType listType = LIST_TYPE_THREAD;
        std::vector<BgActionTarget> targets;
        std::vector<int> doneIds;
        // Rows left alone because they changed since they were checked.
        size_t changedCount = 0;
        std::atomic<bool> isTerminating{false};
        // The worker went through every target and reported: there is a result to tell.
        bool isFinished = false;
    };

    explicit MLListViewController(ListType listType);
    ~MLListViewController() override;

    const char* getClassName() const override { return "MLListViewController"; }
    void setEventListener(std::function<void(Event)> listener) { _eventListener = std::move(listener); }
    void setOnGetOptionCueAccessObject(std::function<Evas_Object*()> callback) {
        _getOptionCue = std::move(callback);
    }
    ListType getListType() const { return _listType; }
    int getItemCount() const;
    Evas_Object* getGenlist() const { return _genlist; }
    // The row of a content id, or null.
    MLItemContent* findContentItem(int id) const;

    // The menu entries for the current style, action and rows.
    void getOptions(std::vector<MoreOption>& options) const;
    // Enters select mode, or applies the action to the checked rows.
    void doAction(Action action);
    // False when the list consumed the back key; true when the screen may be left.
    bool back();

    ListStyle getListStyle() const { return _listStyle; }
    Action getAction() const { return _action; }
    // The ids of the checked rows in list order.
    std::vector<int> getCheckedIds() const;
    // Enters select mode for the action (none: the menu chooses later) with exactly the rows of
    // the given ids checked; ids without a row are skipped. Returns how many rows are checked.
    // For screens that show the list half-way through a selection.
    int selectItems(Action action, const std::vector<int>& ids);
    // The bottom button of select mode, or null.
    Evas_Object* getBottomButton() const { return _bottomButton; }
    // What the count button shows; -1 outside select mode.
    int getCheckedCount() const;
    bool isBgActionRunning() const { return !_bgActionPopup.expired(); }
    // The rows still to come, at once: before anything that needs every row (a change, select
    // mode, the list's end shown right away).
    void finishRows();

    void appEventListener(MCommonAppEventType type) override;

    // The storage handler; also replays the changes recorded before the list existed.
    static void _storageChangedCb(const char* payload, void* self);

protected:
    Evas_Object* onCreateView(Evas_Object* parent, void* param) override;
    void onCreated() override;
    void onDestroy() override;

private:
    bool _createGenlist();
    void _loadItems();
    // Builds rows for the model's entries not yet in the list: at most maxRows, for at most
    // maxSeconds; lets the model go with its last. True while some are left.
    bool _addRows(int maxRows, double maxSeconds);
    void _addTitleItem();
    void _addNoContentItem();
    void _removeNoContentItem();
    bool _hasNoContentItem() const;
    Elm_Object_Item* _append(MLItem* row);
    MLItemContent* _createContentItem(int id, IMLItemDataProvider* provider);
    void _indexRow(MLItemContent* row);
    bool _isInPlace(const MLItemContent& row) const;
    void _insertItem(int id, const MLItem* before);
    bool _belongsToList(const MLItemContent& row) const;
    void _updateItem(MLItemContent* row);
    void _deleteItem(MLItemContent* row);
    bool _reload();
    void _redrawRealized();
    bool _setPausedUpdate(Update update, bool force);
    bool _deferWhilePaused(Update update);
    void _doPausedUpdate();
    void _onStorageChanged(const char* payload);
    void _applyChange(int changeType, int id, int otherId);
    void _scrollToFirstItem();
    void _onLaunchIdle();
    void _subscribeStorage();
    void _unsubscribeStorage();
    void _sendEvent(Event event);
    void _onItemEvent(MLItem::Event event, const MLItem* row);
    Elm_Object_Item* _firstContentItem() const;
    static MLItem* _rowOf(Elm_Object_Item* item);

    // Select mode.
    void _changeToSelectMode(MLItem* first);
    void _changeToNormalMode();
    void _setStyleToAll(ListStyle style);
    void _createCountButton();
    void _destroyCountButton();
    void _createBottomButton();
    void _deleteBottomButton();
    void _showCheckedCount(int count);
    void _onCheckChanged(const MLItem* row);
    void _checkAll(bool checked);
    void _showSelectCtxPopup();
    void _destroySelectCtxPopup();
    std::vector<BgActionTarget> _getCheckedTargets() const;

    // Actions.
    Outcome _doActionForOneItem(const BgActionTarget& target);
    void _doActionForMultiItems(std::vector<BgActionTarget> targets);
    void _onBgActionResult(std::vector<int>* doneIds);
    void _onBgActionPopupDestroyed(const BgActionData& job);
    void _showResult(Action action, size_t doneCount, size_t changedCount);
    void _showToast(const char* textId);
    static Outcome _actOn(const BgActionData& job, const BgActionTarget& target);
    static void _bgActionWorker(const std::shared_ptr<BgActionData>& job, view_kit::WThread::IStatus* status);

    // Taps, long presses and the composer.
    MLItemButtonMenu* _createButtonMenu();
    void _onItemSelected(const MLItem* row);
    void _onLongPressed(Elm_Object_Item* item);
    void _onComposeClicked();
    void _pushPage(view_kit::WContentViewController* page, const char* name);

    // Screen-reader order.
    void _rebuildAccessOrder();
    void _setAccessOrder(Elm_Object_Item* item);
    void _setAccessOrderOfGroupIndex(Elm_Object_Item* item);
    void _setAccessOrderOfButtonMenu(MLItemButtonMenu* menu, Elm_Object_Item* item);
    void _setAccessOrderOfLastItem(Elm_Object_Item* item);

    static void _realizedCb(void* data, Evas_Object* obj, void* eventInfo);
    static void _unrealizedCb(void* data, Evas_Object* obj, void* eventInfo);
    static void _longpressedCb(void* data, Evas_Object* obj, void* eventInfo);
    static void _updatedCb(void* data, Evas_Object* obj, void* eventInfo);
    static void _contentUnswallowedCb(void* data, Evas_Object* obj, void* eventInfo);
    static void _bottomButtonClickedCb(void* data, Evas_Object* obj, void* eventInfo);

    std::function<void(Event)> _eventListener;
    std::function<Evas_Object*()> _getOptionCue;
    const ListType _listType;
    ListStyle _listStyle = LIST_STYLE_NORMAL;
    Action _action = ACTION_NONE;
    Update _pausedUpdate = UPDATE_NONE;
    int _contentStartIndex = 0;
    Evas_Object* _selectModeLayout = nullptr;
    Evas_Object* _genlist = nullptr;
    Evas_Object* _bottomButton = nullptr;
    std::weak_ptr<MCommonCountBtnViewController> _countBtn;
    std::weak_ptr<MCommonSelectCtxPopup> _selectCtxPopup;
    std::weak_ptr<MCommonProgressPopup> _bgActionPopup;
    std::weak_ptr<BgActionData> _bgJob;
    bool _isDestroying = false;
    std::weak_ptr<view_kit::WTimer> _launchIdler;
    std::weak_ptr<view_kit::WTimer> _restOfRowsTimer;
    std::weak_ptr<view_kit::WTimer> _toastIdler;
    std::weak_ptr<view_kit::WTimer> _remeasureTimer;
    std::unique_ptr<MCommonRotaryActivateMgr::Item> _rotaryItem;
    bool _isSubscribed = false;
    MLListModel _model;
    // The content rows in the genlist by id; rows leave it themselves when deleted.
    using RowIndex = std::unordered_map<int, MLItemContent*>;
    std::shared_ptr<RowIndex> _rowsById = std::make_shared<RowIndex>();
};

} // namespace msg_list
} // namespace msg_app

#endif
