#include "viewer/MVBubbleRows.h"

#include "common/CommonUiHelper.h"
#include "common/MsgLog.h"
#include "viewer/MVItem/MVItemBubble.h"
#include "viewer/MVItem/MVItemDateLine.h"
#include "viewer/MVListModel.h"
#include "viewer/MVListViewController.h"

#include <algorithm>
#include <climits>

namespace msg_app {
namespace msg_viewer {

MVBubbleRows::~MVBubbleRows() {
    view_kit::WTimer::destroy(_remeasureTimer);
}

MVItem* MVBubbleRows::itemOf(Elm_Object_Item* item) {
    return item ? static_cast<MVItem*>(elm_object_item_data_get(item)) : nullptr;
}

void MVBubbleRows::clear() {
    _count = 0;
    _bubbles.clear();
    elm_genlist_clear(_genlist);
}

MVItemBubble* MVBubbleRows::find(int msgId) const {
    auto found = _bubbles.find(msgId);
    return found == _bubbles.end() ? nullptr : found->second;
}

void MVBubbleRows::_index(MVItemBubble* bubble) {
    _bubbles[bubble->getMsgId()] = bubble;
    elm_object_item_del_cb_set(bubble->getElmObjectItem(), _bubbleDelCb);
}

void MVBubbleRows::_bubbleDelCb(void* data, Evas_Object* /*obj*/, void* /*eventInfo*/) {
    auto* bubble = static_cast<MVItemBubble*>(data);
    // Through the bubble's view: a row deleted after its conversation has gone finds none.
    auto* list = dynamic_cast<MVListViewController*>(bubble->getParentViewController().get());
    if (!list)
        return;
    std::unordered_map<int, MVItemBubble*>& bubbles = list->_rows._bubbles;
    auto held = bubbles.find(bubble->getMsgId());
    if (held != bubbles.end() && held->second == bubble)
        bubbles.erase(held);
}

MVItemBubble* MVBubbleRows::oldest() const {
    for (Elm_Object_Item* it = elm_genlist_first_item_get(_genlist); it; it = elm_genlist_item_next_get(it)) {
        MVItem* row = itemOf(it);
        if (row && row->getType() == MVItem::BUBBLE)
            return static_cast<MVItemBubble*>(row);
        if (row && row->getType() >= MVItem::REPLY)
            break;
    }
    return nullptr;
}

Elm_Object_Item* MVBubbleRows::firstEndRow() const {
    Elm_Object_Item* first = nullptr;
    for (Elm_Object_Item* it = elm_genlist_last_item_get(_genlist); it; it = elm_genlist_item_prev_get(it)) {
        MVItem* row = itemOf(it);
        if (!row || row->getType() < MVItem::REPLY)
            break;
        first = it;
    }
    return first;
}

void MVBubbleRows::placeNewestFirst(std::vector<std::unique_ptr<MVItem>> newestFirst, bool intoEmptyList) {
    // Into an empty list the rows go in reading order: each prepended row would move the ones
    // in view and have the genlist realize them again.
    auto place = [this, intoEmptyList](std::unique_ptr<MVItem>& row) {
        MVItem* placed = row.get();
        Elm_Object_Item* it =
            intoEmptyList ? wgenlist_item_append(_genlist, nullptr, std::move(row), ELM_GENLIST_ITEM_NONE)
                          : wgenlist_item_prepend(_genlist, nullptr, std::move(row), ELM_GENLIST_ITEM_NONE);
        if (it && placed->getType() == MVItem::BUBBLE) {
            _index(static_cast<MVItemBubble*>(placed));
            ++_count;
        }
    };
    if (intoEmptyList)
        std::for_each(newestFirst.rbegin(), newestFirst.rend(), place);
    else
        std::for_each(newestFirst.begin(), newestFirst.end(), place);
}

void MVBubbleRows::insert(std::unique_ptr<MVItemBubble> created) {
    MVItemBubble* bubble = created.get();
    Elm_Object_Item* next = _rowAfter(bubble->getMsgId());
    Elm_Object_Item* prev = next ? elm_genlist_item_prev_get(next) : elm_genlist_last_item_get(_genlist);
    time_t seconds = static_cast<time_t>(bubble->getConv()->time / 1000);
    MVItem* nextRow = itemOf(next);
    if (nextRow && nextRow->getType() == MVItem::BUBBLE &&
        !MVItemDateLine::isSameDay(static_cast<MVItemBubble*>(nextRow)->getTime(), seconds)) {
        // The date line right above the next bubble belongs to its day.
        while (prev && itemOf(prev)->getType() == MVItem::DATE_LINE) {
            next = prev;
            prev = elm_genlist_item_prev_get(prev);
        }
    }
    MVItem* prevRow = itemOf(prev);
    bool needsDateLine = !prevRow || prevRow->getType() != MVItem::DATE_LINE;
    if (prevRow && prevRow->getType() == MVItem::BUBBLE &&
        MVItemDateLine::isSameDay(static_cast<MVItemBubble*>(prevRow)->getTime(), seconds))
        needsDateLine = false;
    if (needsDateLine)
        wgenlist_item_insert_before(_genlist, nullptr,
                                    std::make_unique<MVItemDateLine>(static_cast<long>(seconds)), next,
                                    ELM_GENLIST_ITEM_NONE);
    Elm_Object_Item* item =
        wgenlist_item_insert_before(_genlist, nullptr, std::move(created), next, ELM_GENLIST_ITEM_NONE);
    if (!item)
        return;
    _index(bubble);
    ++_count;
    elm_genlist_item_show(item, ELM_GENLIST_ITEM_SCROLLTO_TOP);
}

void MVBubbleRows::remove(int msgId) {
    MVItemBubble* bubble = find(msgId);
    if (!bubble)
        return;
    Elm_Object_Item* item = bubble->getElmObjectItem();
    Elm_Object_Item* above = elm_genlist_item_prev_get(item);
    Elm_Object_Item* below = elm_genlist_item_next_get(item);
    MVItem* belowRow = itemOf(below);
    if (above && itemOf(above)->getType() == MVItem::DATE_LINE &&
        (!belowRow || belowRow->getType() != MVItem::BUBBLE))
        elm_object_item_del(above);
    elm_object_item_del(item);
    --_count;
    // Else the end of the list was left blank past the last bubble, out of the bezel's reach.
    common_ui_helper::remeasure_genlist_later(_genlist, _remeasureTimer);
}

void MVBubbleRows::showAtTop(int msgId) {
    MVItemBubble* bubble = find(msgId);
    MSG_RET_IF(!bubble, "the bubble read is not in the list");
    elm_genlist_item_show(bubble->getElmObjectItem(), ELM_GENLIST_ITEM_SCROLLTO_TOP);
}

Elm_Object_Item* MVBubbleRows::_rowAfter(int msgId) const {
    std::shared_ptr<msg_store::Conversation> newer;
    int index = _model.getIndexOf(msgId);
    if (index < 0 || index + 1 >= _model.getCount() ||
        !_model.getNthConv(static_cast<unsigned int>(index) + 1, newer))
        return firstEndRow();
    if (MVItemBubble* bubble = find(newer->msgId))
        return bubble->getElmObjectItem();
    // Its newer neighbour has no bubble (it could not be built): the first later bubble.
    for (Elm_Object_Item* it = elm_genlist_first_item_get(_genlist); it; it = elm_genlist_item_next_get(it)) {
        MVItem* row = itemOf(it);
        if (row && (row->getType() >= MVItem::REPLY ||
                    (row->getType() == MVItem::BUBBLE &&
                     _model.getIndexOf(static_cast<MVItemBubble*>(row)->getMsgId()) > index)))
            return it;
    }
    return nullptr;
}

bool MVBubbleRows::refreshShown(bool allPagesIn) {
    MVItemBubble* first = oldest();
    const int count = _model.getCount();
    int from = first ? _model.getIndexOf(first->getMsgId()) : count;
    if (from < 0 || count - from != static_cast<int>(_bubbles.size()) || (allPagesIn && from != 0))
        return false;
    std::vector<std::pair<MVItemBubble*, std::shared_ptr<msg_store::Conversation>>> shown;
    for (int i = from; i < count; ++i) {
        std::shared_ptr<msg_store::Conversation> conv;
        _model.getNthConv(static_cast<unsigned int>(i), conv);
        MVItemBubble* bubble = conv ? find(conv->msgId) : nullptr;
        if (!bubble || bubble->getConv()->time != conv->time)
            return false;
        shown.emplace_back(bubble, conv);
    }
    for (auto& [bubble, conv] : shown) {
        bubble->update(conv);
        elm_genlist_item_update(bubble->getElmObjectItem());
    }
    return true;
}

std::vector<Elm_Object_Item*> MVBubbleRows::realizedItems(Evas_Object* genlist) {
    std::vector<Elm_Object_Item*> items;
    Eina_List* realized = elm_genlist_realized_items_get(genlist);
    void* data = nullptr;
    Eina_List* node = nullptr;
    EINA_LIST_FOREACH(realized, node, data) {
        items.push_back(static_cast<Elm_Object_Item*>(data));
    }
    eina_list_free(realized);
    return items;
}

bool MVBubbleRows::readingPlace(int& msgId) const {
    int y = 0, h = 0, contentH = 0;
    elm_scroller_region_get(_genlist, nullptr, &y, nullptr, &h);
    elm_scroller_child_size_get(_genlist, nullptr, &contentH);
    Elm_Object_Item* end = firstEndRow();
    Evas_Object* endTrack = end ? elm_object_item_track(end) : nullptr;
    // At the end: the rows under the newest bubble are in view.
    Evas_Coord endY = 0, listY = 0, listH = 0;
    evas_object_geometry_get(_genlist, nullptr, &listY, nullptr, &listH);
    if (endTrack) {
        evas_object_geometry_get(endTrack, nullptr, &endY, nullptr, nullptr);
        elm_object_item_untrack(end);
    }
    if (y + h >= contentH || (endTrack && endY < listY + listH))
        return false;
    // The first bubble that starts in view; else the one the top of the view cuts.
    int inViewId = 0, aboveId = 0;
    Evas_Coord inViewY = INT_MAX, aboveY = INT_MIN;
    for (Elm_Object_Item* item : realizedItems(_genlist)) {
        MVItem* row = itemOf(item);
        Evas_Object* track = row && row->getType() == MVItem::BUBBLE ? elm_object_item_track(item) : nullptr;
        if (!track)
            continue;
        Evas_Coord rowY = 0;
        evas_object_geometry_get(track, nullptr, &rowY, nullptr, nullptr);
        elm_object_item_untrack(item);
        int id = static_cast<MVItemBubble*>(row)->getMsgId();
        if (rowY >= listY && rowY < inViewY) {
            inViewY = rowY;
            inViewId = id;
        } else if (rowY < listY && rowY > aboveY) {
            aboveY = rowY;
            aboveId = id;
        }
    }
    if (!inViewId && !aboveId)
        return false;
    msgId = inViewId ? inViewId : aboveId;
    return true;
}

void MVBubbleRows::setViewTypeToAll(ViewType viewType) {
    for (Elm_Object_Item* it = elm_genlist_first_item_get(_genlist); it; it = elm_genlist_item_next_get(it)) {
        if (MVItem* row = itemOf(it))
            row->setViewType(viewType);
    }
    elm_genlist_realized_items_update(_genlist);
}

void MVBubbleRows::checkAll(bool checked) {
    for (Elm_Object_Item* it = elm_genlist_first_item_get(_genlist); it; it = elm_genlist_item_next_get(it)) {
        MVItem* row = itemOf(it);
        if (row && row->getType() == MVItem::BUBBLE)
            row->setCheck(checked);
    }
}

void MVBubbleRows::refreshTimes() {
    for (Elm_Object_Item* it = elm_genlist_first_item_get(_genlist); it; it = elm_genlist_item_next_get(it)) {
        MVItem* row = itemOf(it);
        if (row && row->getType() == MVItem::BUBBLE)
            static_cast<MVItemBubble*>(row)->updateDateTimeFormat();
    }
    elm_genlist_realized_items_update(_genlist);
}

} // namespace msg_viewer
} // namespace msg_app
