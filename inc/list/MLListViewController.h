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
#include "common/MCommonStoreSubscription.h"
#include "common/ui/MCommonRotaryActivateMgr.h"
#include "common/view/MCommonSelectMode.h"
#include "list/MLItem/MLItem.h"
#include "list/MLListAccessOrder.h"
#include "list/MLListBulkAction.h"
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

    explicit MLListViewController(ListType listType);
    ~MLListViewController() override;

    const char* getClassName() const override { return "MLListViewController"; }
    void setEventListener(std::function<void(Event)> listener) { _eventListener = std::move(listener); }
    void setOnGetOptionCueAccessObject(std::function<Evas_Object*()> callback) {
        _accessOrder.setOptionCue(std::move(callback));
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

    ListStyle getListStyle() const { return _select.isOn() ? LIST_STYLE_SELECT : LIST_STYLE_NORMAL; }
    Action getAction() const { return _action; }
    // The ids of the checked rows in list order.
    std::vector<int> getCheckedIds() const;
    // Enters select mode for the action (none: the menu chooses later) with exactly the rows of
    // the given ids checked; ids without a row are skipped. Returns how many rows are checked.
    // For screens that show the list half-way through a selection.
    int selectItems(Action action, const std::vector<int>& ids);
    // The bottom button of select mode, or null.
    Evas_Object* getBottomButton() const { return _select.getBottomButton(); }
    // What the count button shows; -1 outside select mode.
    int getCheckedCount() const { return _select.getCheckedCount(); }
    bool isBgActionRunning() const { return _select.isBgActionRunning(); }
    // The rows still to come, at once: before anything that needs every row (a change, select
    // mode, the list's end shown right away).
    void finishRows();

    void appEventListener(MCommonAppEventType type) override;

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
    Elm_Object_Item* _append(std::unique_ptr<MLItem> row);
    // Null when the id has no record, or not one of this list.
    std::unique_ptr<MLItemContent> _createContentItem(int id, IMLItemDataProvider* provider);
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
    void _sendEvent(Event event);
    void _onItemEvent(MLItem::Event event, const MLItem* row);
    Elm_Object_Item* _firstContentItem() const;
    static MLItem* _rowOf(Elm_Object_Item* item);

    // Select mode.
    void _changeToSelectMode(MLItem* first);
    void _changeToNormalMode();
    void _setStyleToAll(ListStyle style);
    // What the bottom button reads for the action chosen.
    const char* _bottomTextId() const;
    void _showCheckedCount(int count);
    void _onCheckChanged(const MLItem* row);
    void _checkAll(bool checked);
    std::vector<MLListBulkAction::Target> _getCheckedTargets() const;

    // Taps, long presses and the composer.
    std::unique_ptr<MLItemButtonMenu> _createButtonMenu();
    void _onItemSelected(const MLItem* row);
    void _onLongPressed(Elm_Object_Item* item);
    void _onComposeClicked();
    void _pushPage(view_kit::WContentViewController* page, const char* name);

    static void _realizedCb(void* data, Evas_Object* obj, void* eventInfo);
    static void _unrealizedCb(void* data, Evas_Object* obj, void* eventInfo);
    static void _longpressedCb(void* data, Evas_Object* obj, void* eventInfo);
    static void _updatedCb(void* data, Evas_Object* obj, void* eventInfo);
    static void _contentUnswallowedCb(void* data, Evas_Object* obj, void* eventInfo);

    std::function<void(Event)> _eventListener;
    const ListType _listType;
    MCommonSelectMode _select;
    MLListAccessOrder _accessOrder{_select};
    MLListBulkAction _bulkAction{_listType, _select, *this};
    Action _action = ACTION_NONE;
    Update _pausedUpdate = UPDATE_NONE;
    int _contentStartIndex = 0;
    Evas_Object* _selectModeLayout = nullptr;
    Evas_Object* _genlist = nullptr;
    std::weak_ptr<view_kit::WTimer> _launchIdler;
    std::weak_ptr<view_kit::WTimer> _restOfRowsTimer;
    std::weak_ptr<view_kit::WTimer> _remeasureTimer;
    std::unique_ptr<MCommonRotaryActivateMgr::Item> _rotaryItem;
    MCommonStoreSubscription _storeSubscription;
    MLListModel _model;
    // The content rows in the genlist by id; rows leave it themselves when deleted.
    using RowIndex = std::unordered_map<int, MLItemContent*>;
    std::shared_ptr<RowIndex> _rowsById = std::make_shared<RowIndex>();
};

} // namespace msg_list
} // namespace msg_app

#endif
