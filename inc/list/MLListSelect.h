/*
 * The list's select mode, on top of the shared select-mode widgets: the action the user chose, the
 * rows' style and checks, the count, the menu's entries and the back key while selecting, and the
 * delete or restore of the checked rows (by the bulk action it owns). Main loop only.
 */
#ifndef MSG_APP_LIST_MLLISTSELECT_H
#define MSG_APP_LIST_MLLISTSELECT_H

#include "common/view/MCommonSelectMode.h"
#include "list/MLItem/MLItem.h"
#include "list/MLListBulkAction.h"
#include "list/MLListTypes.h"

#include <functional>
#include <vector>

namespace msg_app {

struct MCommonMsgStore;

namespace msg_list {

class MLListRows;

class MLListSelect {
public:
    enum Action : int { ACTION_NONE = 0, ACTION_DELETE = 1, ACTION_RESTORE = 2 };
    struct Callbacks {
        // The rows' style or the selection changed.
        std::function<void()> onChanged;
        // Select mode ended: true when the list rebuilt its rows for a reload that waited for it,
        // so that they need no restyling.
        std::function<bool()> takePendingReload;
    };

    // The owner's view takes the widgets, popups and toasts; the owner, the rows and the store
    // outlive this part.
    MLListSelect(view_kit::WViewController& owner, ListType listType, MLListRows& rows,
                 MCommonMsgStore& store, Callbacks callbacks);

    bool isOn() const { return _widgets.isOn(); }
    ListStyle getListStyle() const { return isOn() ? LIST_STYLE_SELECT : LIST_STYLE_NORMAL; }
    Action getAction() const { return _action; }
    const MCommonSelectMode& getWidgets() const { return _widgets; }
    // The layout that slides the count button in and out.
    void setLayout(Evas_Object* selectModeLayout) { _widgets.setLayout(selectModeLayout); }

    // The menu entries for the current style, action and rows.
    void getOptions(std::vector<MoreOption>& options) const;
    // Enters select mode, or applies the action to the checked rows.
    void doAction(Action action);
    // False when select mode consumed the back key.
    bool back();
    // The ids of the checked rows in list order.
    std::vector<int> getCheckedIds() const;
    // Select mode for the action with exactly the rows of the ids checked; how many are.
    int selectItems(Action action, const std::vector<int>& ids);
    // A long press on a row enters select mode with that row checked.
    void onLongPressed(MLItem* row);
    // Counts the checked rows again: a row's check changed, or checked rows came or went.
    void onCheckChanged();
    // Back to normal mode: the widgets go and the rows lose their checks.
    void leave();

    Evas_Object* getBottomButton() const { return _widgets.getBottomButton(); }
    int getCheckedCount() const { return _widgets.getCheckedCount(); }
    bool isBgActionRunning() const { return _widgets.isBgActionRunning(); }
    // The application ends: a running worker stops after its current row.
    void stopWorker() { _bulkAction.stopWorker(); }
    // Every widget, popup and pending toast goes: for an owner that is going.
    void drop();

private:
    void _enter(MLItem* first);
    // What the bottom button reads for the action chosen.
    const char* _bottomTextId() const;
    void _showCheckedCount(int count);
    void _checkAll(bool checked);
    std::vector<MLListBulkAction::Target> _getCheckedTargets() const;

    const ListType _listType;
    MLListRows& _rows;
    Callbacks _callbacks;
    Action _action = ACTION_NONE;
    MCommonSelectMode _widgets;
    MLListBulkAction _bulkAction;
};

} // namespace msg_list
} // namespace msg_app

#endif
