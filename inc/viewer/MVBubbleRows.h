/*
 * The rows of a conversation's genlist as the conversation keeps them: its bubbles in time order,
 * each under the date line of its day and found by message id while its row lives, and the end
 * rows (reply, padding) under the newest. The conversation builds and pages the rows; this part
 * puts one bubble in or takes it out where it belongs, and finds the place the user is reading.
 * Main loop only.
 */
#ifndef MSG_APP_VIEWER_MVBUBBLEROWS_H
#define MSG_APP_VIEWER_MVBUBBLEROWS_H

#include "view_kit/WTimer.h"
#include "viewer/MVItem/MVItem.h"

#include <Elementary.h>

#include <memory>
#include <unordered_map>
#include <vector>

namespace msg_app {
namespace msg_viewer {

class MVItemBubble;
class MVListModel;

class MVBubbleRows {
public:
    // model: the conversation's messages, which outlive this part.
    explicit MVBubbleRows(const MVListModel& model) : _model(model) {}
    ~MVBubbleRows();
    MVBubbleRows(const MVBubbleRows&) = delete;
    MVBubbleRows& operator=(const MVBubbleRows&) = delete;

    void setGenlist(Evas_Object* genlist) { _genlist = genlist; }
    static MVItem* itemOf(Elm_Object_Item* item);

    // Every row goes.
    void clear();
    // Bubbles in the list.
    int getCount() const { return _count; }
    MVItemBubble* find(int msgId) const;
    // The oldest bubble shown, or null.
    MVItemBubble* oldest() const;
    // The first of the rows under the newest bubble, or null.
    Elm_Object_Item* firstEndRow() const;

    // Rows newest first, put in above the ones there, or in reading order into an empty list.
    void placeNewestFirst(std::vector<std::unique_ptr<MVItem>> newestFirst, bool intoEmptyList);
    // The bubble goes in at its time, with the line of its day when it opens one, and is shown.
    void insert(std::unique_ptr<MVItemBubble> bubble);
    // The bubble of the message goes, with its date line when no bubble of its day is left.
    void remove(int msgId);
    // The bubble shown again at the top of the screen.
    void showAtTop(int msgId);

    // When the bubbles shown still stand for the newest messages, in order and at their times,
    // each takes its new record in place and true is returned: the rows under a finger stay.
    // allPagesIn: the oldest page is in, so that the first bubble must be the oldest message.
    bool refreshShown(bool allPagesIn);
    // The first bubble that starts on the screen (else the one its top cuts); false at the end of
    // the conversation.
    bool readingPlace(int& msgId) const;

    void setViewTypeToAll(ViewType viewType);
    void checkAll(bool checked);
    // The bubbles' times follow a new format, language or region.
    void refreshTimes();
    void cancelRemeasure() { view_kit::WTimer::destroy(_remeasureTimer); }
    // The genlist's rows drawn now, in order.
    static std::vector<Elm_Object_Item*> realizedItems(Evas_Object* genlist);

private:
    // The row a bubble of this message goes above: its newer neighbour's, else the end rows.
    Elm_Object_Item* _rowAfter(int msgId) const;
    // A bubble put in the list is found by its message id until its row is deleted, by whoever.
    void _index(MVItemBubble* bubble);
    static void _bubbleDelCb(void* data, Evas_Object* obj, void* eventInfo);

    const MVListModel& _model;
    Evas_Object* _genlist = nullptr;
    int _count = 0;
    std::unordered_map<int, MVItemBubble*> _bubbles;
    std::weak_ptr<view_kit::WTimer> _remeasureTimer;
};

} // namespace msg_viewer
} // namespace msg_app

#endif
