#include "list/MLListRows.h"

#include "common/MsgLog.h"
#include "journal.h"
#include "list/MLItem/MLItemButtonMenu.h"
#include "list/MLItem/MLItemContent.h"
#include "list/MLItem/MLItemGroupIndex.h"
#include "list/MLItem/MLItemMargin.h"
#include "list/MLItem/MLItemNoContent.h"
#include "list/MLItem/MLItemTitle.h"
#include "list/MLListModel.h"
#include "view_kit/WEventFreeze.h"

#include <glib.h>

#include <algorithm>
#include <climits>
#include <cmath>

namespace msg_app {
namespace msg_list {

namespace {
// The centre of the round screen: the row drawn there is the one in view.
constexpr int SCREEN_CENTER = 180;
// The rows of the first screens, built before the first frame; the rest follow in slices short
// enough to leave the main loop a frame's time. The rest of a turn (the genlist placing its
// blocks, the drawing) grows with the rows in: a slice takes what it leaves of TURN_SECONDS.
constexpr int FIRST_ROWS = 30;
constexpr double TURN_SECONDS = 0.008;
constexpr double MIN_SLICE_SECONDS = 0.001;
constexpr double MAX_SLICE_SECONDS = 0.004;
} // namespace

MLListRows::MLListRows(ListType listType, MLListModel& model, MCommonMsgStore& store, Callbacks callbacks)
    : _listType(listType), _model(model), _store(store), _callbacks(std::move(callbacks)) {}

MLListRows::~MLListRows() {
    stop();
}

void MLListRows::stop() {
    _restOfRowsFrame.stop();
    view_kit::WTimer::destroy(_restOfRowsTimer);
}

MLItem* MLListRows::rowOf(Elm_Object_Item* item) {
    return item ? static_cast<MLItem*>(elm_object_item_data_get(item)) : nullptr;
}

MLItemContent* MLListRows::contentOf(Elm_Object_Item* item) {
    MLItem* row = rowOf(item);
    return row && row->getType() == MLItem::CONTENT ? static_cast<MLItemContent*>(row) : nullptr;
}

Elm_Object_Item* MLListRows::firstContentItem() const {
    return _genlist ? elm_genlist_nth_item_get(_genlist, _contentStartIndex) : nullptr;
}

int MLListRows::count() const {
    int count = static_cast<int>(_rowsById->size());
    MSG_LOGD("Content item count : %d", count);
    return count;
}

MLItemContent* MLListRows::find(int id) const {
    auto found = _rowsById->find(id);
    if (found != _rowsById->end())
        return found->second;
    MSG_LOGD("Not found item(%d)", id);
    return nullptr;
}

void MLListRows::forEachContent(const std::function<void(MLItemContent& row)>& visit) const {
    for (Elm_Object_Item* it = firstContentItem(); it; it = elm_genlist_item_next_get(it)) {
        if (MLItemContent* row = contentOf(it))
            visit(*row);
    }
}

void MLListRows::_index(MLItemContent* row) {
    (*_rowsById)[row->getItemId()] = row;
    row->setDestroyListener([index = std::weak_ptr<RowIndex>(_rowsById)](const MLItemContent* gone) {
        std::shared_ptr<RowIndex> rows = index.lock();
        if (!rows)
            return;
        auto found = rows->find(gone->getItemId());
        if (found != rows->end() && found->second == gone)
            rows->erase(found);
    });
}

Elm_Object_Item* MLListRows::_append(std::unique_ptr<MLItem> row) {
    return wgenlist_item_append(_genlist, nullptr, std::move(row), ELM_GENLIST_ITEM_NONE);
}

Elm_Object_Item* MLListRows::insert(std::unique_ptr<MLItemContent> row, Elm_Object_Item* before) {
    MLItemContent* placed = row.get();
    Elm_Object_Item* item =
        wgenlist_item_insert_before(_genlist, nullptr, std::move(row), before, ELM_GENLIST_ITEM_NONE);
    if (item)
        _index(placed);
    return item;
}

bool MLListRows::move(MLItemContent* row, Elm_Object_Item* before) {
    Elm_Object_Item* old = row->getElmObjectItem();
    row->detach();
    elm_object_item_del(old);
    if (wgenlist_item_insert_before(_genlist, nullptr, row, before, ELM_GENLIST_ITEM_NONE))
        return true;
    delete row;
    return false;
}

std::unique_ptr<MLItemContent> MLListRows::createContentItem(int id, IMLItemDataProvider* provider) {
    auto row = std::make_unique<MLItemContent>(_listType == LIST_TYPE_THREAD ? THREAD : MSG,
                                               _listType == LIST_TYPE_BLOCKED_MSG ? SPAM : NONE, _store);
    if (!row->init(id, provider) || !belongsToList(*row))
        return nullptr;
    row->setStyle(_callbacks.style());
    row->setEventListener(_callbacks.onRowEvent);
    return row;
}

// A change names every message of a conversation, blocked ones included, and a restored message
// keeps its id: neither a conversation left with only blocked messages nor a message out of the
// spam folder has a row.
bool MLListRows::belongsToList(const MLItemContent& row) const {
    const MLItemContentModel& model = row.getModel();
    bool belongs = _listType == LIST_TYPE_THREAD ? model.getMsgCnt() > 0
                                                 : msg_store::isSpamFolder(model.getFolderType());
    if (!belongs)
        MSG_LOGI("item(%d) does not belong to this list", row.getItemId());
    return belongs;
}

void MLListRows::load() {
    stop();
    view_kit::WEventFreeze freeze(_genlist);
    if (elm_genlist_items_count(_genlist) > 0) {
        elm_genlist_clear(_genlist);
        elm_genlist_mode_set(_genlist, ELM_LIST_COMPRESS);
        _contentStartIndex = 0;
        MSG_LOGD("clear all items of genlist");
    }
    MSG_LOGI("ui_list count : %d, data_list count : %d", count(), _model.getCount());
    if (_model.getCount() == 0) {
        MSG_LOGI("No messages");
        if (_listType == LIST_TYPE_THREAD) {
            addTitleItem();
            addNoContentItem();
        } else {
            _callbacks.onBuiltEmpty();
        }
    } else {
        // In compress mode every append lays its row out at once; the rows go in first and
        // the mode follows, which lays out only the rows in view.
        elm_genlist_mode_set(_genlist, ELM_LIST_SCROLL);
        addTitleItem();
        bool more = _addRows(FIRST_ROWS, HUGE_VAL);
        elm_genlist_mode_set(_genlist, ELM_LIST_COMPRESS);
        if (_listType == LIST_TYPE_THREAD)
            scrollToFirstItem();
        if (more) {
            _startRestOfRows();
            return;
        }
    }
    _model.clear();
}

void MLListRows::_startRestOfRows() {
    // Once the frame that shows the first screens is drawn: the canvas draws it in a thread of its
    // own and shows it when the loop next turns, which a slice would hold up.
    _restOfRowsFrame.start(evas_object_evas_get(_genlist), [this] {
        _lastSliceEnd = 0;
        // A timer rather than an idler: a slice each turn of the loop, even a busy one.
        _restOfRowsTimer = view_kit::WTimer::addTimer(
            0.0, [this](void*) { return _addSlice(); }, nullptr);
    });
}

bool MLListRows::_addSlice() {
    const gint64 start = g_get_monotonic_time();
    const double rest = _lastSliceEnd > 0 ? static_cast<double>(start - _lastSliceEnd) / 1e6 : 0.0;
    const bool more =
        _addRows(INT_MAX, std::clamp(TURN_SECONDS - rest, MIN_SLICE_SECONDS, MAX_SLICE_SECONDS));
    _lastSliceEnd = g_get_monotonic_time();
    return more;
}

bool MLListRows::_addRows(int maxRows, double maxSeconds) {
    if (!_model.hasMoreToHandOut())
        return false;
    // Unbounded, it is for rows needed now: it waits for the preload to read them.
    const bool wait = maxSeconds == HUGE_VAL;
    const gint64 end = g_get_monotonic_time() + static_cast<gint64>(std::min(maxSeconds, 3600.0) * 1e6);
    view_kit::WEventFreeze freeze(_genlist);
    for (int added = 0; added < maxRows && g_get_monotonic_time() < end; ++added) {
        int id = _model.handOutNext(wait);
        if (id == INVALID_ID)
            break; // all in, or the next still being read
        std::unique_ptr<MLItemContent> row = createContentItem(id, &_model);
        if (!row || !insert(std::move(row), nullptr))
            MSG_LOGE("Failed to create a content item");
    }
    if (_model.hasMoreToHandOut())
        return true;
    MSG_LOGI("every row is in: %d", count());
    _model.clear();
    _callbacks.onAllRowsIn();
    return false;
}

void MLListRows::finish() {
    stop();
    _addRows(INT_MAX, HUGE_VAL);
}

void MLListRows::addTitleItem() {
    if (count() > 0 || _contentStartIndex > 0) {
        MSG_LOGE("genlist is not empty !!! Please check it.");
        return;
    }
    if (_listType == LIST_TYPE_THREAD) {
        auto menu = std::make_unique<MLItemButtonMenu>();
        menu->setOnComposeButtonClicked(_callbacks.onCompose);
        std::unique_ptr<MLItem> rows[] = {std::make_unique<MLItemMargin>(), std::move(menu),
                                          std::make_unique<MLItemGroupIndex>()};
        for (std::unique_ptr<MLItem>& row : rows) {
            if (_append(std::move(row)))
                ++_contentStartIndex;
        }
    } else if (_model.getCount() > 0 && _append(std::make_unique<MLItemTitle>(_listType))) {
        ++_contentStartIndex;
    }
    MSG_LOGD("Add title items (content start index : %d)", _contentStartIndex);
}

bool MLListRows::hasNoContentItem() const {
    MLItem* row = rowOf(firstContentItem());
    return row && row->getType() == MLItem::NO_CONTENT;
}

void MLListRows::addNoContentItem() {
    if (hasNoContentItem()) {
        MSG_LOGD("nocontent item exists.");
        return;
    }
    Elm_Object_Item* item = _append(std::make_unique<MLItemNoContent>());
    MSG_RET_IF(!item, "no-content row not added");
    elm_object_signal_emit(_genlist, "elm,state,focus_bg,hide", "elm");
    elm_genlist_item_show(item, ELM_GENLIST_ITEM_SCROLLTO_MIDDLE);
    journal_log("MESSAGE", "NO_MESSAGES");
    MSG_LOGI("Add nocontent item");
}

void MLListRows::removeNoContentItem() {
    if (!hasNoContentItem())
        return;
    elm_object_item_del(firstContentItem());
    MSG_LOGI("Remove nocontent item");
}

void MLListRows::scrollToFirstItem() {
    Elm_Object_Item* first = firstContentItem();
    if (!first)
        return;
    int posret = 0;
    if (elm_genlist_at_xy_item_get(_genlist, SCREEN_CENTER, SCREEN_CENTER, &posret) != first) {
        elm_genlist_item_show(first, ELM_GENLIST_ITEM_SCROLLTO_MIDDLE);
        MSG_LOGD("scroll to first item.");
    }
}

void MLListRows::setStyleToAll(ListStyle style) {
    for (Elm_Object_Item* it = _genlist ? elm_genlist_first_item_get(_genlist) : nullptr; it;
         it = elm_genlist_item_next_get(it)) {
        if (MLItem* row = rowOf(it))
            row->setStyle(style);
    }
    redrawRealized();
}

void MLListRows::redrawRealized() {
    elm_genlist_realized_items_update(_genlist);
}

} // namespace msg_list
} // namespace msg_app
