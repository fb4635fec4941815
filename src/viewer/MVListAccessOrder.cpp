// First: it opens the accessibility API before Elementary is included; a reader's move onto a row
// is a component's call.
#define EFL_ACCESS_COMPONENT_PROTECTED
#include "common/popup/AccessApi.h"

#include "viewer/MVListAccessOrder.h"

#include "common/CommonUiHelper.h"
#include "common/CommonUtil.h"
#include "common/MsgLog.h"
#include "common/ui/CommonUiHelperAccess.h"
#include "common/view/MCommonConvTitle.h"
#include "vconf.h"
#include "viewer/MVBubbleRows.h"
#include "viewer/MVConversationActions.h"
#include "viewer/MVItem/MVItemDateLine.h"
#include "viewer/MVItem/MVItemReply.h"
#include "viewer/MVListViewController.h"
#include "viewer/MVOptionMgr.h"

#include <set>

namespace msg_app {
namespace msg_viewer {

namespace {
constexpr const char* TTS_KEY = "db/setting/accessibility/tts";

MVItem* rowOf(Elm_Object_Item* item) {
    return item ? static_cast<MVItem*>(elm_object_item_data_get(item)) : nullptr;
}

// Every living order: one watch of the setting serves them all.
std::set<MVListAccessOrder*>& orders() {
    static std::set<MVListAccessOrder*> all;
    return all;
}

void linkIfBoth(Eo* from, Eo* to) {
    if (from && to)
        common_ui_helper::set_access_previous_next(from, to);
}

// A reader moving onto a row next to the shown ones brings it into view: shown, it is linked to
// the rows past it in turn.
Eina_Bool showOnReaderGrab(Eo* obj, void* /*pd*/) {
    elm_genlist_item_show(obj, ELM_GENLIST_ITEM_SCROLLTO_IN);
    return EINA_TRUE;
}

} // namespace

MVListAccessOrder::MVListAccessOrder(const MVListViewController& list)
    : _list(list), _genlist(list.getGenlist()) {
    evas_object_smart_callback_add(_genlist, "realized", _rowsChangedCb, this);
    evas_object_smart_callback_add(_genlist, "unrealized", _rowsChangedCb, this);
    evas_object_event_callback_add(_genlist, EVAS_CALLBACK_DEL, _genlistDelCb, this);
    if (orders().empty()) {
        if (vconf_notify_key_changed(TTS_KEY, _settingChangedCb, nullptr) != VCONF_OK)
            MSG_LOGE("vconf_notify_key_changed(%s) failed", TTS_KEY);
        MVItem::setReaderOn(common_util::is_screen_reader_enabled());
    }
    orders().insert(this);
}

MVListAccessOrder::~MVListAccessOrder() {
    view_kit::WTimer::destroy(_idler);
    _setEdges(nullptr, nullptr);
    if (_genlist) {
        evas_object_smart_callback_del_full(_genlist, "realized", _rowsChangedCb, this);
        evas_object_smart_callback_del_full(_genlist, "unrealized", _rowsChangedCb, this);
        evas_object_event_callback_del_full(_genlist, EVAS_CALLBACK_DEL, _genlistDelCb, this);
    }
    orders().erase(this);
    if (orders().empty())
        vconf_ignore_key_changed(TTS_KEY, _settingChangedCb);
}

void MVListAccessOrder::_rowsChangedCb(void* data, Evas_Object* /*obj*/, void* /*eventInfo*/) {
    auto* self = static_cast<MVListAccessOrder*>(data);
    if (MVItem::isReaderOn())
        self->rebuildLater();
}

void MVListAccessOrder::_genlistDelCb(void* data, Evas* /*e*/, Evas_Object* /*obj*/, void* /*eventInfo*/) {
    auto* self = static_cast<MVListAccessOrder*>(data);
    view_kit::WTimer::destroy(self->_idler);
    self->_genlist = nullptr;
}

void MVListAccessOrder::_settingChangedCb(keynode* /*node*/, void* /*data*/) {
    MVItem::setReaderOn(common_util::is_screen_reader_enabled());
    for (MVListAccessOrder* order : orders()) {
        if (!order->_genlist)
            continue;
        // Selectable only while a reader works it.
        if (MVItemReply* reply = order->_list.getReplyItem())
            reply->updateReader();
        // The rows describe themselves as they are built: build the shown ones again.
        elm_genlist_realized_items_update(order->_genlist);
        order->rebuildLater();
    }
}

void MVListAccessOrder::rebuildLater() {
    if (!_idler.expired() || !_genlist)
        return;
    _idler = view_kit::WTimer::addIdler(
        [this](void*) {
            _idler.reset();
            rebuild();
            return false;
        },
        nullptr);
}

bool MVListAccessOrder::_isReadable(Elm_Object_Item* item) {
    MVItem* row = rowOf(item);
    // The caption repeats the reply row's name, and the padding shows nothing.
    return row && row->getType() != MVItem::REPLY_TEXT && row->getType() != MVItem::BOTTOM_PADDING;
}

Elm_Object_Item* MVListAccessOrder::_readableBefore(Elm_Object_Item* item) {
    Elm_Object_Item* prev = elm_genlist_item_prev_get(item);
    while (prev && !_isReadable(prev))
        prev = elm_genlist_item_prev_get(prev);
    return prev;
}

Elm_Object_Item* MVListAccessOrder::_readableAfter(Elm_Object_Item* item) {
    Elm_Object_Item* next = elm_genlist_item_next_get(item);
    while (next && !_isReadable(next))
        next = elm_genlist_item_next_get(next);
    return next;
}

void MVListAccessOrder::rebuild() {
    view_kit::WTimer::destroy(_idler);
    if (!_genlist)
        return;
    std::vector<Elm_Object_Item*> shown = MVBubbleRows::realizedItems(_genlist);
    // Old links would keep pointing at rows that moved or went, also when the reader was turned off.
    for (Elm_Object_Item* item : shown)
        efl_access_object_relationships_clear(item);
    if (!MVItem::isReaderOn() || shown.empty()) {
        _setEdges(nullptr, nullptr);
        return;
    }
    // The rows just outside the shown ones lead into them: a reader moves on to them, and the
    // genlist shows them.
    Elm_Object_Item* before = _readableBefore(shown.front());
    Elm_Object_Item* after = _readableAfter(shown.back());
    _setEdges(before, after);
    if (before)
        efl_access_object_relationship_remove(before, EFL_ACCESS_RELATION_TYPE_FLOWS_TO, nullptr);
    if (after)
        efl_access_object_relationship_remove(after, EFL_ACCESS_RELATION_TYPE_FLOWS_FROM, nullptr);
    Elm_Object_Item* lastReadable = nullptr;
    // The rows at the edges are read before the genlist shows them.
    for (Elm_Object_Item* edge : {before, after}) {
        if (edge)
            _prepareRow(edge);
    }
    for (Elm_Object_Item* item : shown) {
        _prepareRow(item);
        if (!_isReadable(item))
            continue;
        linkIfBoth(_readableBefore(item), item);
        lastReadable = item;
    }
    linkIfBoth(lastReadable, after);
    _linkEnd();
}

void MVListAccessOrder::_prepareRow(Elm_Object_Item* item) {
    MVItem* row = rowOf(item);
    switch (row ? row->getType() : MVItem::BOTTOM_PADDING) {
    case MVItem::TITLE: {
        std::string spoken = MCommonConvTitle::getSpoken(_list.getThreadId());
        efl_access_object_description_set(item, spoken.c_str());
        efl_access_object_reading_info_type_set(item, EFL_ACCESS_READING_INFO_TYPE_DESCRIPTION);
        break;
    }
    case MVItem::BUBBLE: {
        // The text widget is worked through its row.
        Evas_Object* content = elm_object_item_part_content_get(item, "elm.icon");
        Evas_Object* label = content ? elm_object_part_content_get(content, "elm.swallow.bubble") : nullptr;
        if (label)
            efl_access_object_relationship_append(label, EFL_ACCESS_RELATION_TYPE_CONTROLLED_BY, item);
        break;
    }
    case MVItem::DATE_LINE:
        // Its name is its text, also while it is not drawn (the genlist's own name is then empty).
        common_ui_helper::set_access_text_role(item, static_cast<MVItemDateLine*>(row)->getText(),
                                               EFL_ACCESS_ROLE_HEADING);
        break;
    case MVItem::REPLY_TEXT:
    case MVItem::BOTTOM_PADDING:
        efl_access_object_access_type_set(item, EFL_ACCESS_TYPE_SKIPPED);
        break;
    default:
        break;
    }
}

void MVListAccessOrder::_setEdges(Elm_Object_Item* before, Elm_Object_Item* after) {
    EFL_OPS_DEFINE(grabShows, EFL_OBJECT_OP_FUNC(efl_access_component_focus_grab, showOnReaderGrab));
    for (Eo*& edge : _edges) {
        if (edge) {
            efl_object_override(edge, nullptr);
            efl_wref_del(edge, &edge);
            edge = nullptr;
        }
    }
    Elm_Object_Item* edges[] = {before, after};
    for (size_t i = 0; i < 2; ++i) {
        // The same row on both sides is overridden once.
        if (!edges[i] || (i == 1 && edges[1] == edges[0]))
            continue;
        if (!efl_object_override(edges[i], &grabShows)) {
            MSG_LOGE("efl_object_override() failed");
            continue;
        }
        _edges[i] = edges[i];
        efl_wref_add(_edges[i], &_edges[i]);
    }
}

void MVListAccessOrder::_linkEnd() {
    Elm_Object_Item* last = elm_genlist_last_item_get(_genlist);
    if (last && !_isReadable(last))
        last = _readableBefore(last);
    MVOptionMgr* options = _list.getActions().getOptionMgr();
    Evas_Object* cue = options ? options->getCueAccessObject() : nullptr;
    Evas_Object* bottomButton = _list.getViewType() == VIEW_TYPE_SELECT ? _list.getBottomButton() : nullptr;
    if (cue)
        efl_access_object_relationships_clear(cue);
    if (bottomButton) {
        efl_access_object_relationships_clear(bottomButton);
        linkIfBoth(last, bottomButton);
        linkIfBoth(bottomButton, cue);
    } else {
        linkIfBoth(last, cue);
    }
    // The cue ends the reading: a reader moving on from it stays on it.
    if (cue)
        efl_access_object_relationship_append(cue, EFL_ACCESS_RELATION_TYPE_FLOWS_TO, cue);
}

} // namespace msg_viewer
} // namespace msg_app
