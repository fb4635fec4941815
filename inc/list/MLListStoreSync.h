/*
 * Keeps the list's rows in step with the message store while the screen lives: subscribes to the
 * store's changes (unsubscribed when this part goes), inserts, moves, redraws and deletes the rows
 * a change names, rebuilds the whole list for a change that names too many, and holds changes back
 * while the application is paused. Main loop only.
 */
#ifndef MSG_APP_LIST_MLLISTSTORESYNC_H
#define MSG_APP_LIST_MLLISTSTORESYNC_H

#include "common/MCommonStoreSubscription.h"
#include "list/MLListTypes.h"
#include "view_kit/WTimer.h"

#include <Elementary.h>

#include <cstddef>
#include <functional>
#include <memory>

namespace msg_app {
namespace msg_list {

class MLItemContent;
class MLListAccessOrder;
class MLListModel;
class MLListRows;
class MLListSelect;

class MLListStoreSync {
public:
    enum Update : int { UPDATE_NONE = 0, UPDATE_REDRAW = 1, UPDATE_RELOAD = 2 };
    // More ids than this in one change rebuild the list instead of walking it per id.
    static constexpr size_t MAX_CHANGES_ONE_BY_ONE = 50;
    // Changes applied at once while paused before the rest wait for the resume.
    static constexpr int PAUSED_CHANGES_APPLIED = 5;

    struct Callbacks {
        // The rows changed in a way the menu may follow.
        std::function<void()> onChanged;
        // The blocked list became empty or got its first row.
        std::function<void()> onEmptyStateChanged;
    };

    // The model, the rows, select mode and the reading order outlive this part.
    MLListStoreSync(ListType listType, MLListModel& model, MLListRows& rows, MLListSelect& select,
                    MLListAccessOrder& accessOrder, Callbacks callbacks);
    ~MLListStoreSync();
    MLListStoreSync(const MLListStoreSync&) = delete;
    MLListStoreSync& operator=(const MLListStoreSync&) = delete;

    // Again after the store restarted: the old subscriptions went with its connection.
    void subscribe();
    // Unsubscribed and nothing left to run: for an owner that is going.
    void stop();
    // One change notice of the store; also for the notices the preload kept for the list.
    void onStorageChanged(const char* payload);
    // True when the update was held back for the resume; false when it is to be done now.
    bool deferWhilePaused(Update update);
    // Does the update held back, unless a reload must wait for select mode to end.
    void doPausedUpdate();
    bool hasPendingReload() const { return _pausedUpdate == UPDATE_RELOAD; }
    // Does a reload that waited for select mode to end; false when none waited.
    bool takePendingReload();

private:
    void _applyChange(int changeType, int id);
    void _insertItem(int id);
    // After a row was inserted or moved: the top row is brought into view, the reading order follows.
    void _onPlaced(Elm_Object_Item* item);
    void _updateItem(MLItemContent* row);
    bool _isInPlace(const MLItemContent& row) const;
    void _deleteItem(MLItemContent* row);
    bool _reload();
    bool _setPausedUpdate(Update update, bool force);

    const ListType _listType;
    MLListModel& _model;
    MLListRows& _rows;
    MLListSelect& _select;
    MLListAccessOrder& _accessOrder;
    Callbacks _callbacks;
    Update _pausedUpdate = UPDATE_NONE;
    std::weak_ptr<view_kit::WTimer> _remeasureTimer;
    MCommonStoreSubscription _subscription;
};

} // namespace msg_list
} // namespace msg_app

#endif
