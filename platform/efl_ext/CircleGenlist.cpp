#include "CircleGenlist.h"

#include "CircleSurface.h"
#include "efl_ext/Theme.h"
#include "log/PlatformLog.h"

#include <algorithm>
#include <climits>

namespace eext {

namespace {

const char* const DATA_KEY = "eext.circle.genlist";
const char* const GENLIST_SIGNALS[] = {"scroll", "changed", "realized", "unrealized", "loaded"};
// The list stopped gliding, or the finger took it over.
const char* const GLIDE_END_SIGNALS[] = {"scroll,anim,stop", "scroll,drag,start"};
// The rows have been placed for the frame: their places agree with the list's region.
const char* const LAID_OUT_SIGNAL = "changed";
constexpr int NO_TOP = INT_MIN;
constexpr int THUMB_MESSAGE_ID = 1;
const char* const AUTO_SCROLL_OFF_KEY = "qel.scroller.auto_scroll_off";
// How far one detent moves through a row taller than the list, as a share of
// the list's height: enough to read on, little enough to keep a line in view.
constexpr double TALL_ROW_STEP = 0.5;

} // namespace

CircleGenlist::CircleGenlist(Evas_Object* genlist, Evas_Object* bar, CircleSurface* surface)
    : _genlist(genlist), _bar(bar), _surface(surface) {
    evas_object_data_set(bar, DATA_KEY, this);
    evas_object_event_callback_add(bar, EVAS_CALLBACK_DEL, _barDelCb, this);
    evas_object_event_callback_add(genlist, EVAS_CALLBACK_DEL, _genlistDelCb, this);
    evas_object_event_callback_add(genlist, EVAS_CALLBACK_MOVE, _genlistGeometryCb, this);
    evas_object_event_callback_add(genlist, EVAS_CALLBACK_RESIZE, _genlistGeometryCb, this);
    _watchGenlist(true);
    // Screens activate either the circle object or the genlist itself; both
    // must move the list.
    eext_rotary_object_event_callback_add(bar, _rotaryCb, this);
    eext_rotary_object_event_callback_add(genlist, _rotaryCb, this);
    if (_surface)
        _surface->attach(this);
}

CircleGenlist::~CircleGenlist() {
    _endGlide();
    if (_surface)
        _surface->detach(this);
    if (_genlist) {
        eext_rotary_object_event_callback_del(_genlist, _rotaryCb);
        evas_object_event_callback_del_full(_genlist, EVAS_CALLBACK_DEL, _genlistDelCb, this);
        evas_object_event_callback_del_full(_genlist, EVAS_CALLBACK_MOVE, _genlistGeometryCb, this);
        evas_object_event_callback_del_full(_genlist, EVAS_CALLBACK_RESIZE, _genlistGeometryCb, this);
        _watchGenlist(false);
    }
}

void CircleGenlist::_watchGenlist(bool watch) {
    auto on = [this, watch](const char* signal, Evas_Smart_Cb cb) {
        if (watch)
            evas_object_smart_callback_add(_genlist, signal, cb, this);
        else
            evas_object_smart_callback_del_full(_genlist, signal, cb, this);
    };
    for (const char* signal : GENLIST_SIGNALS)
        on(signal, _genlistScrollCb);
    on("theme,changed", _genlistThemeCb);
    for (const char* signal : GLIDE_END_SIGNALS)
        on(signal, _glideEndCb);
    on(LAID_OUT_SIGNAL, _genlistLaidOutCb);
}

Evas_Object* CircleGenlist::create(Evas_Object* genlist, CircleSurface* surface) {
    PLAT_RETV_IF(!genlist, nullptr, "genlist is NULL");
    const char* type = elm_object_widget_type_get(genlist);
    PLAT_RETV_IF(!type || strcmp(type, "Elm_Genlist") != 0, nullptr, "not a genlist: %s",
                 type ? type : "(none)");
    PLAT_RETV_IF(evas_object_data_get(genlist, DATA_KEY), nullptr, "genlist has a circle object already");
    Evas_Object* bar = Theme::addEdje(evas_object_evas_get(genlist), "eext/circle/scroller");
    PLAT_RETV_IF(!bar, nullptr, "scroll bar theme is missing");
    // The round bar replaces the genlist's own bars.
    elm_scroller_policy_set(genlist, ELM_SCROLLER_POLICY_OFF, ELM_SCROLLER_POLICY_OFF);
    evas_object_smart_member_add(bar, genlist);
    evas_object_pass_events_set(bar, EINA_TRUE);
    evas_object_show(bar);
    auto* self = new CircleGenlist(genlist, bar, surface);
    evas_object_data_set(genlist, DATA_KEY, self);
    self->relayout();
    return bar;
}

CircleGenlist* CircleGenlist::fromObject(const Evas_Object* circle) {
    return circle ? static_cast<CircleGenlist*>(evas_object_data_get(circle, DATA_KEY)) : nullptr;
}

void CircleGenlist::setPolicy(Elm_Scroller_Policy h, Elm_Scroller_Policy v) {
    _policyH = h;
    _policyV = v;
    _updateBar();
}

void CircleGenlist::policy(Elm_Scroller_Policy* h, Elm_Scroller_Policy* v) const {
    if (h)
        *h = _policyH;
    if (v)
        *v = _policyV;
}

void CircleGenlist::relayout() {
    int x, y, w, h;
    if (_surface)
        _surface->geometry(&x, &y, &w, &h);
    else
        evas_object_geometry_get(_genlist, &x, &y, &w, &h);
    // A square around the middle, so that the arc follows the round screen.
    int side = std::min(w, h);
    evas_object_move(_bar, x + (w - side) / 2, y + (h - side) / 2);
    evas_object_resize(_bar, side, side);
    evas_object_raise(_bar);
    _updateBar();
}

void CircleGenlist::_updateBar() {
    int y = 0, vh = 0, ch = 0;
    elm_scroller_region_get(_genlist, nullptr, &y, nullptr, &vh);
    elm_scroller_child_size_get(_genlist, nullptr, &ch);
    bool scrollable = ch > vh && vh > 0;
    bool show = _policyV == ELM_SCROLLER_POLICY_ON || (_policyV == ELM_SCROLLER_POLICY_AUTO && scrollable);
    if (show != _barShown) {
        edje_object_signal_emit(_bar, show ? "eext,bar,show" : "eext,bar,hide", "eext");
        _barShown = show;
    }
    Edje_Message_Float msg;
    msg.val = scrollable ? static_cast<double>(y) / (ch - vh) : 0.0;
    edje_object_message_send(_bar, EDJE_MESSAGE_FLOAT, THUMB_MESSAGE_ID, &msg);
}

int CircleGenlist::_viewportHeight() const {
    // Rows are placed in, and measured against, what the scroller shows of the list.
    int h = 0;
    elm_scroller_region_get(_genlist, nullptr, nullptr, nullptr, &h);
    if (h <= 0)
        evas_object_geometry_get(_genlist, nullptr, nullptr, nullptr, &h);
    return h;
}

Elm_Object_Item* CircleGenlist::_centreItem() const {
    int x, y, w;
    evas_object_geometry_get(_genlist, &x, &y, &w, nullptr);
    Elm_Object_Item* item =
        elm_genlist_at_xy_item_get(_genlist, x + w / 2, y + _viewportHeight() / 2, nullptr);
    return item ? item : elm_genlist_first_item_get(_genlist);
}

bool CircleGenlist::_itemGeometry(Elm_Object_Item* item, int* y, int* h) const {
    Evas_Object* track = elm_object_item_track(item);
    if (!track)
        return false;
    evas_object_geometry_get(track, nullptr, y, nullptr, h);
    elm_object_item_untrack(item);
    return true;
}

bool CircleGenlist::_scrollWithin(Elm_Object_Item* item, bool forward) {
    int gy, iy, ih;
    evas_object_geometry_get(_genlist, nullptr, &gy, nullptr, nullptr);
    int gh = _viewportHeight();
    if (gh <= 0 || !_itemGeometry(item, &iy, &ih) || ih <= gh)
        return false;
    int x, y, w, h;
    elm_scroller_region_get(_genlist, &x, &y, &w, &h);
    const int rowTop = iy - gy + y;
    // Measured from where the list glides to through this row, not from where it is on the way.
    int ahead = _glide.row == item && _glide.aim.within ? rowTop + _glide.aim.offset - y : 0;
    int hidden = forward ? (iy + ih) - (gy + gh) - ahead : gy - iy + ahead;
    if (hidden <= 0)
        return false;
    int delta = std::min(hidden, std::max(1, static_cast<int>(gh * TALL_ROW_STEP)));
    y += ahead + (forward ? delta : -delta);
    if (evas_object_data_get(_genlist, AUTO_SCROLL_OFF_KEY)) {
        _endGlide();
        elm_scroller_region_show(_genlist, x, y, w, h);
    } else {
        elm_scroller_region_bring_in(_genlist, x, y, w, h);
        _glideTo(item, {true, ELM_GENLIST_ITEM_SCROLLTO_TOP, y - rowTop}, rowTop);
    }
    return true;
}

bool CircleGenlist::step(Eext_Rotary_Event_Direction direction) {
    Elm_Object_Item* current = _glide.row;
    if (!current)
        current = _centreItem();
    if (!current)
        return false;
    bool forward = direction == EEXT_ROTARY_EVENT_DIRECTION_CLOCKWISE;
    // A row taller than the list is read through before the next one comes.
    if (_scrollWithin(current, forward))
        return true;
    Elm_Object_Item* target =
        forward ? elm_genlist_item_next_get(current) : elm_genlist_item_prev_get(current);
    if (!target)
        return false;
    // A tall row comes in from the edge it is read from, not from its middle.
    Elm_Genlist_Item_Scrollto_Type where = ELM_GENLIST_ITEM_SCROLLTO_MIDDLE;
    int ty, th;
    if (_itemGeometry(target, &ty, &th) && th > _viewportHeight())
        where = forward ? ELM_GENLIST_ITEM_SCROLLTO_TOP : ELM_GENLIST_ITEM_SCROLLTO_BOTTOM;
    // The UI extension may turn gliding off for lists that place themselves.
    if (evas_object_data_get(_genlist, AUTO_SCROLL_OFF_KEY)) {
        _endGlide();
        elm_genlist_item_show(target, where);
    } else {
        // After it: a glide it cuts short says so as it stops.
        elm_genlist_item_bring_in(target, where);
        int top;
        _glideTo(target, {false, where, 0}, _contentTop(target, &top) ? top : NO_TOP);
    }
    return true;
}

bool CircleGenlist::_contentTop(Elm_Object_Item* item, int* top) const {
    int gy, iy, ih, ry;
    if (!_itemGeometry(item, &iy, &ih) || ih <= 0)
        return false;
    evas_object_geometry_get(_genlist, nullptr, &gy, nullptr, nullptr);
    elm_scroller_region_get(_genlist, nullptr, &ry, nullptr, nullptr);
    *top = iy - gy + ry;
    return true;
}

void CircleGenlist::_keepGlideOnTarget() {
    int top;
    if (!_glide.row || !_contentTop(_glide.row, &top) || top == _glide.rowTop)
        return;
    // A glide is aimed at a fixed place in the list: rows put in above the row it glides to (an
    // older page, going in a slice a frame) move the row down and would leave the glide short of
    // it. Aimed again, it goes on to the row. The new glide's start ends the old one, which lets the
    // row go: it is held again after.
    if (_glide.rowTop == NO_TOP) {
        _glide.rowTop = top;
        return;
    }
    Elm_Object_Item* row = _glide.row;
    const Aim aim = _glide.aim;
    if (aim.within) {
        int x, w, h;
        elm_scroller_region_get(_genlist, &x, nullptr, &w, &h);
        elm_scroller_region_bring_in(_genlist, x, top + aim.offset, w, h);
    } else {
        elm_genlist_item_bring_in(row, aim.where);
    }
    _glideTo(row, aim, top);
}

void CircleGenlist::_glideTo(Elm_Object_Item* row, Aim aim, int rowTop) {
    _endGlide();
    _glide.row = row;
    _glide.aim = aim;
    _glide.rowTop = rowTop;
    efl_wref_add(row, &_glide.row);
}

void CircleGenlist::_endGlide() {
    if (_glide.row)
        efl_wref_del(_glide.row, &_glide.row);
    _glide.row = nullptr;
}

void CircleGenlist::_glideEndCb(void* data, Evas_Object*, void*) {
    static_cast<CircleGenlist*>(data)->_endGlide();
}

Eina_Bool CircleGenlist::_rotaryCb(void* data, Evas_Object*, Eext_Rotary_Event_Info* info) {
    static_cast<CircleGenlist*>(data)->step(info->direction);
    return EINA_FALSE;
}

void CircleGenlist::_barDelCb(void* data, Evas*, Evas_Object*, void*) {
    auto* self = static_cast<CircleGenlist*>(data);
    if (self->_genlist)
        evas_object_data_del(self->_genlist, DATA_KEY);
    delete self;
}

void CircleGenlist::_genlistDelCb(void* data, Evas*, Evas_Object*, void*) {
    auto* self = static_cast<CircleGenlist*>(data);
    self->_watchGenlist(false);
    self->_genlist = nullptr;
    evas_object_del(self->_bar);
}

void CircleGenlist::_genlistGeometryCb(void* data, Evas*, Evas_Object*, void*) {
    static_cast<CircleGenlist*>(data)->relayout();
}

void CircleGenlist::_genlistScrollCb(void* data, Evas_Object*, void*) {
    static_cast<CircleGenlist*>(data)->_updateBar();
}

void CircleGenlist::_genlistLaidOutCb(void* data, Evas_Object*, void*) {
    static_cast<CircleGenlist*>(data)->_keepGlideOnTarget();
}

void CircleGenlist::_genlistThemeCb(void*, Evas_Object* genlist, void*) {
    // A compress-mode genlist forgets its rows' sizes when it is themed again
    // (the text direction flipped) and shows nothing until its width changes:
    // a change and its undoing make it measure them again.
    int w, h;
    evas_object_geometry_get(genlist, nullptr, nullptr, &w, &h);
    if (w <= 1)
        return;
    evas_object_resize(genlist, w - 1, h);
    evas_object_resize(genlist, w, h);
}

} // namespace eext

using eext::CircleGenlist;

extern "C" {

Evas_Object* eext_circle_object_genlist_add(Evas_Object* genlist, Eext_Circle_Surface* surface) {
    return CircleGenlist::create(genlist, reinterpret_cast<eext::CircleSurface*>(surface));
}

void eext_circle_object_genlist_scroller_policy_set(Evas_Object* obj, Elm_Scroller_Policy policy_h,
                                                    Elm_Scroller_Policy policy_v) {
    CircleGenlist* self = CircleGenlist::fromObject(obj);
    PLAT_RET_IF(!self, "not a circle genlist object");
    self->setPolicy(policy_h, policy_v);
}

void eext_circle_object_genlist_scroller_policy_get(const Evas_Object* obj, Elm_Scroller_Policy* policy_h,
                                                    Elm_Scroller_Policy* policy_v) {
    CircleGenlist* self = CircleGenlist::fromObject(obj);
    PLAT_RET_IF(!self, "not a circle genlist object");
    self->policy(policy_h, policy_v);
}
}
