/*
 * The scrolling list of the list screen, put together from its parts: the rows of its genlist
 * (MLListRows), select mode with its bulk delete and restore (MLListSelect), the reading order
 * (MLListAccessOrder), the sync with the message store, which also defers changes that arrive
 * while the application is paused (MLListStoreSync), and what a tap opens (MLListOpener). It owns
 * the screen's store object and its model, creates the view and routes the genlist's and the
 * application's events to the parts.
 */
#ifndef MSG_APP_LIST_MLLISTVIEWCONTROLLER_H
#define MSG_APP_LIST_MLLISTVIEWCONTROLLER_H

#include "common/IMCommonAppEventListener.h"
#include "common/MCommonMsgStore.h"
#include "common/ui/MCommonRotaryActivateMgr.h"
#include "list/MLItem/MLItem.h"
#include "list/MLListAccessOrder.h"
#include "list/MLListModel.h"
#include "list/MLListOpener.h"
#include "list/MLListRows.h"
#include "list/MLListSelect.h"
#include "list/MLListStoreSync.h"
#include "view_kit/WTimer.h"
#include "view_kit/WViewController.h"

#include <functional>
#include <memory>
#include <vector>

namespace msg_app {

namespace msg_list {

class MLItemContent;

class MLListViewController : public view_kit::WViewController, public IMCommonAppEventListener {
public:
    enum Event : int {
        EVENT_CHANGED = 0,             // the rows or the selection changed
        EVENT_EMPTY_STATE_CHANGED = 1, // the blocked list became empty or got its first row
    };
    using Action = MLListSelect::Action;
    static constexpr Action ACTION_NONE = MLListSelect::ACTION_NONE;
    static constexpr Action ACTION_DELETE = MLListSelect::ACTION_DELETE;
    static constexpr Action ACTION_RESTORE = MLListSelect::ACTION_RESTORE;
    using Update = MLListStoreSync::Update;
    static constexpr const char* VIEWER_NAME = MLListOpener::VIEWER_NAME;
    static constexpr const char* BLOCK_VIEWER_NAME = MLListOpener::BLOCK_VIEWER_NAME;

    explicit MLListViewController(ListType listType);
    ~MLListViewController() override;

    const char* getClassName() const override { return "MLListViewController"; }
    void setEventListener(std::function<void(Event)> listener) { _eventListener = std::move(listener); }
    void setOnGetOptionCueAccessObject(std::function<Evas_Object*()> callback) {
        _accessOrder.setOptionCue(std::move(callback));
    }
    ListType getListType() const { return _listType; }
    int getItemCount() const { return _rows.count(); }
    Evas_Object* getGenlist() const { return _rows.getGenlist(); }
    // The row of a content id, or null.
    MLItemContent* findContentItem(int id) const { return _rows.find(id); }

    // The menu entries for the current style, action and rows.
    void getOptions(std::vector<MoreOption>& options) const { _select.getOptions(options); }
    // Enters select mode, or applies the action to the checked rows.
    void doAction(Action action) { _select.doAction(action); }
    // False when the list consumed the back key; true when the screen may be left.
    bool back() { return _select.back(); }

    ListStyle getListStyle() const { return _select.getListStyle(); }
    Action getAction() const { return _select.getAction(); }
    // The ids of the checked rows in list order.
    std::vector<int> getCheckedIds() const { return _select.getCheckedIds(); }
    // Enters select mode for the action (none: the menu chooses later) with exactly the rows of
    // the given ids checked; ids without a row are skipped. Returns how many rows are checked.
    // For screens that show the list half-way through a selection.
    int selectItems(Action action, const std::vector<int>& ids) { return _select.selectItems(action, ids); }
    // The bottom button of select mode, or null.
    Evas_Object* getBottomButton() const { return _select.getBottomButton(); }
    // What the count button shows; -1 outside select mode.
    int getCheckedCount() const { return _select.getCheckedCount(); }
    bool isBgActionRunning() const { return _select.isBgActionRunning(); }
    // The rows still to come, at once: before anything that needs every row (a change, select
    // mode, the list's end shown right away).
    void finishRows() { _rows.finish(); }

    void appEventListener(MCommonAppEventType type) override;

protected:
    Evas_Object* onCreateView(Evas_Object* parent, void* param) override;
    void onCreated() override;
    void onDestroy() override;

private:
    bool _createGenlist();
    void _sendEvent(Event event);
    void _onItemEvent(MLItem::Event event, const MLItem* row);
    void _onAllRowsIn();
    void _onLaunchIdle();
    void _updateNames();

    static void _realizedCb(void* data, Evas_Object* obj, void* eventInfo);
    static void _unrealizedCb(void* data, Evas_Object* obj, void* eventInfo);
    static void _longpressedCb(void* data, Evas_Object* obj, void* eventInfo);
    static void _updatedCb(void* data, Evas_Object* obj, void* eventInfo);
    static void _contentUnswallowedCb(void* data, Evas_Object* obj, void* eventInfo);

    std::function<void(Event)> _eventListener;
    const ListType _listType;
    // The screen's store: the model, the rows and the single delete or restore read and change
    // the store through it.
    MCommonMsgStore _store;
    MLListModel _model{_listType, _store};
    MLListRows _rows;
    MLListSelect _select;
    MLListAccessOrder _accessOrder{_select.getWidgets()};
    MLListStoreSync _storeSync;
    MLListOpener _opener{*this, _listType};
    Evas_Object* _selectModeLayout = nullptr;
    std::weak_ptr<view_kit::WTimer> _launchIdler;
    std::unique_ptr<MCommonRotaryActivateMgr::Item> _rotaryItem;
};

} // namespace msg_list
} // namespace msg_app

#endif
