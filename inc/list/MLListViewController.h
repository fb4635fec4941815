/*
 * The scrolling list of the list screen: fills a genlist from the list model,
 * keeps its rows in step with the message store while the screen lives and
 * defers changes that arrive while the application is paused.
 */
#ifndef MSG_APP_LIST_MLLISTVIEWCONTROLLER_H
#define MSG_APP_LIST_MLLISTVIEWCONTROLLER_H

#include "common/IMCommonAppEventListener.h"
#include "common/MCommonRotaryActivateMgr.h"
#include "list/MLItem/MLItem.h"
#include "list/MLListModel.h"
#include "view_kit/WTimer.h"
#include "view_kit/WViewController.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace msg_app {
namespace msg_list {

class MLItemContent;

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
    void _addTitleItem();
    void _addNoContentItem();
    void _removeNoContentItem();
    bool _hasNoContentItem() const;
    Elm_Object_Item* _append(MLItem* row);
    MLItemContent* _createContentItem(int id, IMLItemDataProvider* provider);
    void _insertItem(int id, const MLItem* before);
    void _updateItem(MLItemContent* row);
    void _deleteItem(MLItemContent* row);
    bool _reload();
    void _redrawRealized();
    bool _setPausedUpdate(Update update, bool force);
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

    static void _realizedCb(void* data, Evas_Object* obj, void* eventInfo);
    static void _unrealizedCb(void* data, Evas_Object* obj, void* eventInfo);

    std::function<void(Event)> _eventListener;
    std::function<Evas_Object*()> _getOptionCue;
    const ListType _listType;
    ListStyle _listStyle = LIST_STYLE_NORMAL;
    Action _action = ACTION_NONE;
    Update _pausedUpdate = UPDATE_NONE;
    int _contentStartIndex = 0;
    Evas_Object* _selectModeLayout = nullptr;
    Evas_Object* _genlist = nullptr;
    std::weak_ptr<view_kit::WTimer> _launchIdler;
    std::unique_ptr<MCommonRotaryActivateMgr::Item> _rotaryItem;
    bool _isSubscribed = false;
    MLListModel _model;
};

} // namespace msg_list
} // namespace msg_app

#endif
