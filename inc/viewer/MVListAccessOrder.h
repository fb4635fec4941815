/*
 * The screen reader's reading order through a conversation: the title, the
 * date lines and bubbles from the oldest shown, the reply row, then the
 * option cue (in select mode the delete button first). The shown rows are
 * linked, and to the rows just outside them, which a reader's move onto
 * brings into view. Rows are linked again once the genlist has shown,
 * added or removed rows, in one pass when the main loop is idle; nothing
 * is done while the screen reader is off. Main loop only.
 */
#ifndef MSG_APP_VIEWER_MVLISTACCESSORDER_H
#define MSG_APP_VIEWER_MVLISTACCESSORDER_H

#include "view_kit/WTimer.h"

#include <Elementary.h>

#include <memory>

struct keynode;

namespace msg_app {
namespace msg_viewer {

class MVListViewController;

class MVListAccessOrder {
public:
    // The conversation whose genlist is ordered; it outlives this part.
    explicit MVListAccessOrder(const MVListViewController& list);
    ~MVListAccessOrder();
    MVListAccessOrder(const MVListAccessOrder&) = delete;
    MVListAccessOrder& operator=(const MVListAccessOrder&) = delete;

    // Links every shown row again now: old links would point at rows that moved or went.
    void rebuild();
    // The same once the main loop is idle: rows come and go in bursts.
    void rebuildLater();

private:
    static bool _isReadable(Elm_Object_Item* item);
    static Elm_Object_Item* _readableBefore(Elm_Object_Item* item);
    static Elm_Object_Item* _readableAfter(Elm_Object_Item* item);
    void _prepareRow(Elm_Object_Item* item);
    void _linkEnd();
    // The rows just outside the shown ones: a reader's move onto one of them shows it.
    void _setEdges(Elm_Object_Item* before, Elm_Object_Item* after);
    static void _genlistDelCb(void* data, Evas* e, Evas_Object* obj, void* eventInfo);
    static void _rowsChangedCb(void* data, Evas_Object* obj, void* eventInfo);
    static void _settingChangedCb(keynode* node, void* data);

    const MVListViewController& _list;
    Evas_Object* _genlist;
    std::weak_ptr<view_kit::WTimer> _idler;
    Eo* _edges[2] = {nullptr, nullptr};
};

} // namespace msg_viewer
} // namespace msg_app

#endif
