/*
 * The rows of the list's genlist: the fixed rows above the content (margin, button row and group
 * header, or the blocked list's title), the content rows built from the model (the first screens
 * at once, the rest a slice at a time) and the no-content row of an empty conversation list. The
 * content rows are kept by id, so that a change finds its row without a walk. Main loop only.
 */
#ifndef MSG_APP_LIST_MLLISTROWS_H
#define MSG_APP_LIST_MLLISTROWS_H

#include "list/MLItem/MLItem.h"
#include "list/MLListTypes.h"
#include "view_kit/WFrameWait.h"
#include "view_kit/WTimer.h"

#include <Elementary.h>
#include <glib.h>

#include <functional>
#include <map>
#include <memory>

namespace msg_app {

struct MCommonMsgStore;

namespace msg_list {

class IMLItemDataProvider;
class MLItemContent;
class MLListModel;

class MLListRows {
public:
    struct Callbacks {
        // A content row was tapped or its check changed.
        std::function<void(MLItem::Event event, const MLItem* row)> onRowEvent;
        // The button row's compose button was tapped.
        std::function<void()> onCompose;
        // The style a new row takes.
        std::function<ListStyle()> style;
        // The last content row of a build is in.
        std::function<void()> onAllRowsIn;
        // The blocked list was built without a row.
        std::function<void()> onBuiltEmpty;
    };

    // New rows read the store through their own models; the model, the store and the owner of the
    // callbacks outlive this part.
    MLListRows(ListType listType, MLListModel& model, MCommonMsgStore& store, Callbacks callbacks);
    ~MLListRows();
    MLListRows(const MLListRows&) = delete;
    MLListRows& operator=(const MLListRows&) = delete;

    void setGenlist(Evas_Object* genlist) { _genlist = genlist; }
    Evas_Object* getGenlist() const { return _genlist; }
    // Builds every row again from the loaded model: the first screens now, the rest in slices;
    // the model is let go with the last.
    void load();
    // The rows still to come, at once.
    void finish();
    // No slice is left to come: for an owner that is going.
    void stop();

    int count() const;
    // The row of a content id, or null.
    MLItemContent* find(int id) const;
    int getContentStartIndex() const { return _contentStartIndex; }
    Elm_Object_Item* firstContentItem() const;
    // Each content row, top to bottom.
    void forEachContent(const std::function<void(MLItemContent& row)>& visit) const;

    // Null when the id has no record, or not one of this list.
    std::unique_ptr<MLItemContent> createContentItem(int id, IMLItemDataProvider* provider);
    // A conversation left with only blocked messages, or a message out of the spam folder, has no row.
    bool belongsToList(const MLItemContent& row) const;
    // Places the row before the given item (at the end for null) and keeps it by id; null when refused.
    Elm_Object_Item* insert(std::unique_ptr<MLItemContent> row, Elm_Object_Item* before);
    // Places a row of the list before the given item (at the end for null) with the data it has,
    // its old item deleted; false when the genlist refused it and the row is gone.
    bool move(MLItemContent* row, Elm_Object_Item* before);

    void addTitleItem();
    void addNoContentItem();
    void removeNoContentItem();
    bool hasNoContentItem() const;
    void scrollToFirstItem();
    void setStyleToAll(ListStyle style);
    void redrawRealized();

    static MLItem* rowOf(Elm_Object_Item* item);
    // Null for a row that is not a content row.
    static MLItemContent* contentOf(Elm_Object_Item* item);

private:
    // The rows after the first screens, a slice at a time, once the first frame is drawn.
    void _startRestOfRows();
    // One slice, as long as the loop's turn leaves room for.
    bool _addSlice();
    // Builds rows for the model's entries not yet in the list: at most maxRows, for at most
    // maxSeconds. True while some are left.
    bool _addRows(int maxRows, double maxSeconds);
    Elm_Object_Item* _append(std::unique_ptr<MLItem> row);
    void _index(MLItemContent* row);

    const ListType _listType;
    MLListModel& _model;
    MCommonMsgStore& _store;
    Callbacks _callbacks;
    Evas_Object* _genlist = nullptr;
    int _contentStartIndex = 0;
    view_kit::WFrameWait _restOfRowsFrame;
    std::weak_ptr<view_kit::WTimer> _restOfRowsTimer;
    // When the last slice ended (monotonic microseconds): what came between is the rest of the turn.
    gint64 _lastSliceEnd = 0;
    // Rows leave it themselves when deleted, also after this part has gone. Ordered rather than
    // hashed: a hash table that grows rebuilds itself whole inside one slice, several milliseconds
    // at 40,000 rows.
    using RowIndex = std::map<int, MLItemContent*>;
    std::shared_ptr<RowIndex> _rowsById = std::make_shared<RowIndex>();
};

} // namespace msg_list
} // namespace msg_app

#endif
