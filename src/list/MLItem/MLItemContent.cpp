// First: it switches on the accessibility API before anything includes Elementary.
#include "common/popup/AccessApi.h"

#include "list/MLItem/MLItemContent.h"
#include "list/MLItem/MLItemNameLine.h"

#include "common/CommonUiHelper.h"
#include "common/CommonUtil.h"
#include "common/MsgLog.h"
#include "common/ui/MCommonI18n.h"
#include "list/MLReusableObjectPool.h"
#include "msg_store/MsgStoreTypes.h"

#include <glib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace msg_app {
namespace msg_list {

namespace {

constexpr const char* PART_NAME = "elm.text";
constexpr const char* PART_NUMBER = "elm.text.number";
constexpr const char* PART_TEXT1 = "elm.text.1";
constexpr const char* PART_TEXT2 = "elm.text.2";
constexpr const char* PART_TIME = "elm.text.3";
constexpr const char* PART_NOTI_TEXT = "elm.text.noti";
constexpr const char* PART_CHECK = "elm.swallow.center_check";
constexpr const char* PART_ALERT = "elm.icon.alert";
constexpr const char* PART_SIM = "elm.text.sim";
constexpr const char* PART_NOTI = "elm.icon.noti";
constexpr const char* PART_INSET = "elm.swallow.inset";
// The theme's message carrying the insets (the list row's script).
constexpr int INSET_MESSAGE_ID = 1;

constexpr const char* SIG_HIGHLIGHTED = "elm,custom,state,highlighted";
constexpr const char* SIG_UNHIGHLIGHTED = "elm,custom,state,unhighlighted";
constexpr const char* SIG_READ = "elm,state,read";
constexpr const char* SIG_ALERT = "elm,state,alert";
constexpr const char* SIG_NO_ALERT = "elm,state,alert,hide";
constexpr const char* SIG_SIM = "elm,state,sim,show";
constexpr const char* SIG_NO_SIM = "elm,state,sim,hide";
constexpr const char* SIG_SELECT_STYLE = "elm,state,select_style";
constexpr const char* SIG_NORMAL_STYLE = "elm,state,normal_style";
constexpr const char* SIG_ICON_POSITION_INIT = "elm,state,icon,position,init";
// The text lines' layouts, set by plain state changes: a theme script would lay the whole row out
// again the moment it ran.
constexpr const char* SIG_LAYOUT_BOTH = "elm,state,layout,init";
constexpr const char* SIG_LAYOUT_HIDE_TEXT1 = "elm,state,layout,hide_text1";
constexpr const char* SIG_LAYOUT_HIDE_TEXT2 = "elm,state,layout,hide_text2";
// The row's side margins, the check of select mode with its gap and the alert mark with its gap,
// in the theme's pixels (the list row's ROW_SIDE, CHECK_SIZE + CHECK_GAP, alert mark + gap).
constexpr int ROW_SIDE = 38;
constexpr int CHECK_ROOM = 52;
constexpr int ALERT_ROOM = 30;

// The badge groups by digits and their sizes in the theme's pixels.
struct BadgeLook {
    const char* group;
    int w;
    int h;
};
constexpr BadgeLook BADGE_1DIGIT{"img/list/noti1", 32, 32};
constexpr BadgeLook BADGE_2DIGIT{"img/list/noti2", 48, 32};
constexpr BadgeLook BADGE_3DIGIT{"img/list/noti3", 60, 32};
constexpr int ALERT_W = 33;
constexpr int ALERT_H = 47;
constexpr size_t TTS_UNREAD_MAX_BYTES = 127;

} // namespace

MLItemContent::MLItemContent(DataType dataType, ListFilter filter, MCommonMsgStore& store)
    : _filter(filter), _model(dataType, store) {}

MLItemContent::~MLItemContent() {
    if (_destroyListener)
        _destroyListener(this);
    _leaveAccessOrder(getElmObjectItem());
    unswallow();
}

void MLItemContent::_leaveAccessOrder(Elm_Object_Item* item) {
    if (item && common_util::is_screen_reader_enabled()) {
        efl_access_object_relationships_clear(item);
        efl_access_object_access_type_set(item, EFL_ACCESS_TYPE_SKIPPED);
    }
}

bool MLItemContent::isAfter(const MLItemContent& other) const {
    if (getTime() != other.getTime())
        return getTime() > other.getTime();
    return getItemId() > other.getItemId();
}

std::string MLItemContent::toMarkup(const std::string& text) {
    // One line: line breaks show as spaces.
    return common_ui_helper::to_label_markup(text, false);
}

const char* MLItemContent::unreadSignal(int unreadCount) {
    if (unreadCount < 10)
        return "elm,state,unread,1digit";
    if (unreadCount < 100)
        return "elm,state,unread,2digit";
    return "elm,state,unread,3digit";
}

bool MLItemContent::_isNumberName(const std::string& name) {
    std::string plain = name;
    common_util::del_ltr_mark(plain);
    return common_util::is_phone_number(plain.c_str());
}

std::string MLItemContent::getText(const char* part) const {
    if (!strcmp(part, PART_NUMBER)) {
        std::string name = getText(PART_NAME);
        return _isNumberName(name) ? name : std::string();
    }
    if (!strcmp(part, PART_NAME)) {
        std::string name;
        _model.getDisplayName(name);
        return name.empty() ? common_ui_helper::get_text("WDS_WNOTI_HEADER_UNKNOWN_M_SENDER") : name;
    }
    std::string subject, body;
    _model.getSubject(subject);
    _model.getBody(body);
    if (!strcmp(part, PART_TEXT1)) {
        if (!subject.empty())
            return toMarkup(subject);
        if (!body.empty())
            return toMarkup(body);
        return common_ui_helper::get_text("WDS_MSG_SBODY_NO_SUBJECT_ABB");
    }
    if (!strcmp(part, PART_TEXT2))
        return !subject.empty() && !body.empty() ? toMarkup(body) : std::string();
    if (!strcmp(part, PART_TIME)) {
        std::string time;
        MCommonI18n::getInstance()->getFormattedSimpleDateTimeText(_model.getTime(), time);
        return time;
    }
    if (!strcmp(part, PART_SIM))
        return _hasSimMark() ? std::to_string(_model.getSimIndex() + 1) : std::string();
    if (!strcmp(part, PART_NOTI_TEXT) && _hasUnreadBadge()) {
        std::string count;
        MCommonI18n::getInstance()->getFormattedNumberText(std::min(_model.getUnreadCnt(), MAX_UNREAD_SHOWN),
                                                           count);
        return count;
    }
    return std::string();
}

Elm_Genlist_Item_Class* MLItemContent::getItemClassStatic() {
    static Elm_Genlist_Item_Class itc = [] {
        Elm_Genlist_Item_Class c{};
        c.version = ELM_GENLIST_ITEM_CLASS_VERSION;
        c.item_style = "list.4text.custom";
        c.func.text_get = _textGetCb;
        c.func.content_get = _contentGetCb;
        c.func.del = WGenlistItem::delCb;
        return c;
    }();
    return &itc;
}

char* MLItemContent::_textGetCb(void* data, Evas_Object* /*obj*/, const char* part) {
    std::string text = static_cast<MLItemContent*>(data)->getText(part);
    return text.empty() ? nullptr : strdup(text.c_str());
}

Evas_Object* MLItemContent::_contentGetCb(void* data, Evas_Object* obj, const char* part) {
    return static_cast<MLItemContent*>(data)->_createContent(obj, part);
}

Evas_Object* MLItemContent::_createContent(Evas_Object* parent, const char* part) {
    if (!strcmp(part, PART_CHECK))
        return _style == LIST_STYLE_SELECT ? _createCheck(parent) : nullptr;
    if (!strcmp(part, PART_ALERT)) {
        if (_model.getMsgType() != MSG_TYPE_CMAS)
            return nullptr;
        Evas_Object* alert = _createImage(parent, "img/list/cmas", ALERT_W, ALERT_H);
        _remember(part, alert, false);
        return alert;
    }
    if (!strcmp(part, PART_INSET)) {
        Evas_Object* probe = evas_object_rectangle_add(evas_object_evas_get(parent));
        evas_object_color_set(probe, 0, 0, 0, 0);
        evas_object_event_callback_add(probe, EVAS_CALLBACK_MOVE, _insetProbeMovedCb, this);
        _remember(part, probe, false);
        _insetProbe = probe;
        return probe;
    }
    if (!strcmp(part, PART_NOTI)) {
        if (!_hasUnreadBadge())
            return nullptr;
        bool isPooled = false;
        Evas_Object* badge = _createBadge(parent, isPooled);
        _remember(part, badge, isPooled);
        return badge;
    }
    return nullptr;
}

Evas_Object* MLItemContent::_createImage(Evas_Object* parent, const char* group, int w, int h) {
    Evas_Object* image = elm_image_add(parent);
    MSG_RETV_IF(!image, nullptr, "elm_image_add() failed");
    if (!elm_image_file_set(image, common_util::get_image_edj().c_str(), group))
        MSG_LOGE("no image %s", group);
    evas_object_size_hint_min_set(image, scaled(w), scaled(h));
    evas_object_show(image);
    return image;
}

bool MLItemContent::_hasSimMark() const {
    return common_ui_helper::has_sim_index_icon(static_cast<msg_store::FolderType>(_model.getFolderType()),
                                                _model.getSimIndex());
}

Evas_Object* MLItemContent::_createBadge(Evas_Object* parent, bool& isPooled) {
    int unread = _model.getUnreadCnt();
    const BadgeLook& look = unread < 10 ? BADGE_1DIGIT : unread < 100 ? BADGE_2DIGIT : BADGE_3DIGIT;
    isPooled = unread < 10;
    if (!isPooled)
        return _createImage(parent, look.group, look.w, look.h);

    Evas_Object* badge = MLReusableObjectPool::getInstance()->getObject();
    if (!badge) {
        MSG_LOGD("Failed to get an object from provider.");
        // A fresh badge joins the pool when the row gives its badges back.
        return _createImage(parent, look.group, look.w, look.h);
    }
    evas_object_size_hint_min_set(badge, scaled(look.w), scaled(look.h));
    evas_object_show(badge);
    return badge;
}

Evas_Object* MLItemContent::_createCheck(Evas_Object* parent) {
    Evas_Object* check = elm_check_add(parent);
    MSG_RETV_IF(!check, nullptr, "elm_check_add() failed");
    elm_object_style_set(check, "genlist/select_mode");
    elm_check_state_set(check, _isChecked ? EINA_TRUE : EINA_FALSE);
    efl_access_object_access_type_set(check, EFL_ACCESS_TYPE_SKIPPED);
    // The row takes the focus, not its check: a focusable check handed back to the window when
    // the row goes would be put in its focus graph a second time.
    elm_object_focus_allow_set(check, EINA_FALSE);
    if (!common_util::is_screen_reader_enabled()) {
        evas_object_repeat_events_set(check, EINA_TRUE);
        evas_object_propagate_events_set(check, EINA_FALSE);
    }
    evas_object_smart_callback_add(check, "changed", _checkChangedCb, this);
    evas_object_show(check);
    _check = check;
    _remember(PART_CHECK, check, false);
    return check;
}

void MLItemContent::_checkChangedCb(void* data, Evas_Object* obj, void* /*eventInfo*/) {
    auto* self = static_cast<MLItemContent*>(data);
    self->_isChecked = elm_check_state_get(obj) == EINA_TRUE;
    self->_sendEvent(CHECK_CHANGED);
}

void MLItemContent::_remember(const char* part, Evas_Object* obj, bool isPooled) {
    if (!obj)
        return;
    evas_object_event_callback_add(obj, EVAS_CALLBACK_DEL, _objectDelCb, this);
    _swallowed.push_back({part, obj, isPooled});
}

void MLItemContent::_forget(Evas_Object* obj) {
    _swallowed.erase(std::remove_if(_swallowed.begin(), _swallowed.end(),
                                    [obj](const Swallowed& s) { return s.obj == obj; }),
                     _swallowed.end());
    if (_check == obj)
        _check = nullptr;
    if (_insetProbe == obj)
        _insetProbe = nullptr;
}

// Whoever deletes an object of the row (the genlist with the row's view, most often), the row
// must not touch it again.
void MLItemContent::_objectDelCb(void* data, Evas* /*evas*/, Evas_Object* obj, void* /*eventInfo*/) {
    static_cast<MLItemContent*>(data)->_forget(obj);
}

void MLItemContent::unswallow(const std::vector<Evas_Object*>& takenBack) {
    std::vector<Swallowed> swallowed;
    swallowed.swap(_swallowed);
    _check = nullptr;
    _insetProbe = nullptr;
    for (const Swallowed& s : swallowed) {
        evas_object_event_callback_del_full(s.obj, EVAS_CALLBACK_DEL, _objectDelCb, this);
        evas_object_event_callback_del_full(s.obj, EVAS_CALLBACK_MOVE, _insetProbeMovedCb, this);
        if (!strcmp(s.part, PART_CHECK))
            evas_object_smart_callback_del_full(s.obj, "changed", _checkChangedCb, this);
        if (std::find(takenBack.begin(), takenBack.end(), s.obj) == takenBack.end())
            continue;
        evas_object_hide(s.obj);
        if (s.isPooled && MLReusableObjectPool::setObject(s.obj))
            continue;
        evas_object_del(s.obj);
    }
}

void MLItemContent::_sendEvent(MLItem::Event event) {
    if (_listener)
        _listener(event, this);
}

void MLItemContent::_emit(const char* signal) {
    Elm_Object_Item* item = getElmObjectItem();
    if (item)
        elm_object_item_signal_emit(item, signal, "");
}

// A sender shown as a number and the time are drawn whole: the row measures them and tells the
// theme the time's width and the number's size.
void MLItemContent::_emitNameLine(const std::string& name) {
    Elm_Object_Item* item = getElmObjectItem();
    Evas_Object* genlist = item ? elm_object_item_widget_get(item) : nullptr;
    if (!genlist)
        return;
    int width = 0;
    evas_object_geometry_get(genlist, nullptr, nullptr, &width, nullptr);
    MLItemNameLine::Room room;
    room.width = static_cast<int>(width / (scaled(1000) / 1000.0)) - 2 * ROW_SIDE;
    room.before = (_style == LIST_STYLE_SELECT ? CHECK_ROOM + _insets.check : 0) +
                  (_model.getMsgType() == MSG_TYPE_CMAS ? ALERT_ROOM : 0) +
                  _insets.start[MLItemCircleInset::Insets::NAME];
    room.width -= _insets.end[MLItemCircleInset::Insets::NAME];
    MLItemNameLine::Look look = MLItemNameLine::choose(evas_object_evas_get(genlist), name,
                                                       _isNumberName(name), getText(PART_TIME), room);
    _emit(look.timeSignal.c_str());
    _emit(look.nameSignal.c_str());
}

void MLItemContent::realized() {
    Elm_Object_Item* item = getElmObjectItem();
    if (!item) {
        // The genlist realizes some rows while they are being added, before they know their item.
        MSG_LOGD("realized before the item was set");
        _isRealizePending = true;
        return;
    }
    _isRealizePending = false;
    // The genlist recycles row views, and a recycled view still shows the badge, alert and layout
    // of the row it showed before: every state is set either way.
    _emit(_hasUnreadBadge() ? unreadSignal(_model.getUnreadCnt()) : SIG_READ);
    _emit(_model.getMsgType() == MSG_TYPE_CMAS ? SIG_ALERT : SIG_NO_ALERT);
    _emit(_hasSimMark() ? SIG_SIM : SIG_NO_SIM);
    _emit(_style == LIST_STYLE_SELECT ? SIG_SELECT_STYLE : SIG_NORMAL_STYLE);
    _emitTextLayout();
    bool nameMoved = false;
    _sendInsets(nameMoved);
    _emitNameLine(getText(PART_NAME));
    for (const char* signal : {SIG_HIGHLIGHTED, SIG_UNHIGHLIGHTED})
        elm_object_item_signal_callback_add(item, signal, "", _itemSignalCb, this);
    _showNow();
}

// An empty line gives its room up: the second when there is no second, else an empty first.
void MLItemContent::_emitTextLayout() {
    if (getText(PART_TEXT2).empty()) {
        _textLayout = TEXT_LAYOUT_HIDE_TEXT2;
        _emit(SIG_LAYOUT_HIDE_TEXT2);
    } else if (getText(PART_TEXT1).empty()) {
        _textLayout = TEXT_LAYOUT_HIDE_TEXT1;
        _emit(SIG_LAYOUT_HIDE_TEXT1);
    } else {
        _textLayout = TEXT_LAYOUT_BOTH;
        _emit(SIG_LAYOUT_BOTH);
    }
}

void MLItemContent::onSetElmObjectItem(Elm_Object_Item* /*item*/) {
    if (_isRealizePending)
        realized();
}

void MLItemContent::unrealized() {
    _isRealizePending = false;
    Elm_Object_Item* item = getElmObjectItem();
    if (item) {
        for (const char* signal : {SIG_HIGHLIGHTED, SIG_UNHIGHLIGHTED})
            elm_object_item_signal_callback_del(item, signal, "", _itemSignalCb);
    }
    _isHighlighted = false;
    _textLayout = TEXT_LAYOUT_BOTH;
    // The view may show another row next: it is told its insets again.
    _insetsShown = false;
    _insets = MLItemCircleInset::Insets();
    _takeBackContents();
}

// The genlist deletes what it holds with the row's view; taken back first, the badge returns to
// the pool for the next row instead, and the rest is deleted here.
void MLItemContent::_takeBackContents() {
    Elm_Object_Item* item = getElmObjectItem();
    std::vector<Evas_Object*> takenBack;
    if (item && !_swallowed.empty()) {
        Eina_List* released = nullptr;
        elm_genlist_item_all_contents_unset(item, &released);
        for (Eina_List* node = released; node; node = eina_list_next(node))
            takenBack.push_back(static_cast<Evas_Object*>(eina_list_data_get(node)));
        eina_list_free(released);
    }
    unswallow(takenBack);
}

void MLItemContent::_itemSignalCb(void* data, Elm_Object_Item* /*item*/, const char* emission,
                                  const char* /*source*/) {
    auto* self = static_cast<MLItemContent*>(data);
    if (!strcmp(emission, SIG_HIGHLIGHTED)) {
        self->_isHighlighted = true;
        self->_refreshAccessDescription();
    } else if (!strcmp(emission, SIG_UNHIGHLIGHTED)) {
        self->_isHighlighted = false;
    }
}

void MLItemContent::_insetProbeMovedCb(void* data, Evas* /*evas*/, Evas_Object* /*obj*/,
                                       void* /*eventInfo*/) {
    static_cast<MLItemContent*>(data)->_applyInsets();
}

Evas_Object* MLItemContent::_view() const {
    return _insetProbe ? evas_object_smart_parent_get(_insetProbe) : nullptr;
}

// The view handles its signals and messages once the loop turns, after the frame the row is placed
// in is drawn: that frame would show the row without its time, its number's size and its insets.
void MLItemContent::_showNow() {
    if (Evas_Object* view = _view())
        edje_object_message_signal_process(view);
}

void MLItemContent::_applyInsets() {
    bool nameMoved = false;
    if (!_sendInsets(nameMoved))
        return;
    // A number is sized to fit its line, which the insets narrow.
    std::string name = getText(PART_NAME);
    if (nameMoved && _isNumberName(name))
        _emitNameLine(name);
    _showNow();
}

bool MLItemContent::_sendInsets(bool& nameMoved) {
    Evas_Object* view = _view();
    if (!view)
        return false;
    MLItemCircleInset::Place place;
    int top = 0, screenW = 0, screenH = 0;
    evas_object_geometry_get(_insetProbe, nullptr, &top, nullptr, nullptr);
    evas_output_size_get(evas_object_evas_get(view), &screenW, &screenH);
    place.rowTop = top;
    place.scale = scaled(1000) / 1000.0;
    place.screen = std::min(screenW, screenH);
    place.twoLines = _textLayout != TEXT_LAYOUT_BOTH;
    place.select = _style == LIST_STYLE_SELECT;
    MLItemCircleInset::Insets insets = MLItemCircleInset::at(place);
    if (_insetsShown && insets == _insets)
        return false;
    using Line = MLItemCircleInset::Insets;
    nameMoved = insets.check != _insets.check || insets.start[Line::NAME] != _insets.start[Line::NAME] ||
                insets.end[Line::NAME] != _insets.end[Line::NAME];
    _insets = insets;
    _insetsShown = true;
    // The message's values follow its count in one block, as the theme reads them.
    std::vector<int> words = MLItemCircleInset::message(insets, place.select);
    edje_object_message_send(view, EDJE_MESSAGE_INT_SET, INSET_MESSAGE_ID, words.data());
    return true;
}

void MLItemContent::onSelect(Elm_Object_Item* item) {
    if (item)
        elm_genlist_item_selected_set(item, EINA_FALSE);
    if (_style == LIST_STYLE_NORMAL) {
        if (_model.getDataType() == THREAD && _model.isGroupChat())
            _model.updateGroupChat();
        _sendEvent(SELECTED);
        return;
    }
    _isChecked = !_isChecked;
    if (_check)
        elm_check_state_set(_check, _isChecked ? EINA_TRUE : EINA_FALSE);
    _sendEvent(CHECK_CHANGED);
}

void MLItemContent::setCheck(bool checked) {
    MSG_RET_IF(_style != LIST_STYLE_SELECT, "list style is normal.");
    _isChecked = checked;
    if (_check)
        elm_check_state_set(_check, checked ? EINA_TRUE : EINA_FALSE);
}

void MLItemContent::_deleteCheck() {
    if (!_check)
        return;
    Evas_Object* check = _check;
    Elm_Object_Item* item = getElmObjectItem();
    evas_object_event_callback_del_full(check, EVAS_CALLBACK_DEL, _objectDelCb, this);
    evas_object_smart_callback_del_full(check, "changed", _checkChangedCb, this);
    _forget(check);
    // A shown check is the genlist's to delete: asking for the part again drops it.
    if (item && elm_object_item_part_content_get(item, PART_CHECK) == check)
        elm_genlist_item_fields_update(item, PART_CHECK, ELM_GENLIST_ITEM_FIELD_CONTENT);
    else
        evas_object_del(check);
}

void MLItemContent::setStyle(ListStyle style) {
    _style = style;
    if (style == LIST_STYLE_NORMAL) {
        _isChecked = false;
        _deleteCheck();
    }
}

bool MLItemContent::update(bool& unreadIncreased) {
    bool changed = false;
    if (!reread(unreadIncreased, changed))
        return false;
    if (changed)
        redraw();
    return true;
}

bool MLItemContent::reread(bool& unreadIncreased, bool& changed) {
    time_t oldTime = _model.getTime();
    int oldUnread = _model.getUnreadCnt();
    if (!_model.reload())
        return false;
    if (_filter == SPAM && !msg_store::isSpamFolder(_model.getFolderType())) {
        MSG_LOGI("This message is not an spam message.");
        return false;
    }
    if (_style == LIST_STYLE_SELECT && _isChecked && _model.getUnreadCnt() > 0) {
        setCheck(false);
        _sendEvent(CHECK_CHANGED);
    }
    changed = oldTime != _model.getTime() || oldUnread != _model.getUnreadCnt();
    if (!changed)
        MSG_LOGD(">>>>> This item has already been updated.");
    if (_model.getUnreadCnt() > oldUnread)
        unreadIncreased = true;
    return true;
}

void MLItemContent::redraw() {
    Elm_Object_Item* item = getElmObjectItem();
    if (!item)
        return;
    elm_genlist_item_fields_update(item, PART_TEXT1, ELM_GENLIST_ITEM_FIELD_TEXT);
    _emitTextLayout();
    _emit(_hasUnreadBadge() ? unreadSignal(_model.getUnreadCnt()) : SIG_READ);
    // The whole row is drawn again, so every object it made is about to be replaced.
    _takeBackContents();
    elm_genlist_item_update(item);
    MSG_LOGD(">>>>> item update is done");
}

void MLItemContent::detach() {
    Elm_Object_Item* item = getElmObjectItem();
    if (!item)
        return;
    // What the old view shows goes back as it would on unrealize; its delete no longer reaches us.
    unrealized();
    unswallow();
    _leaveAccessOrder(item);
    elm_object_item_data_set(item, nullptr);
    setElmObjectItem(nullptr);
}

void MLItemContent::updateName() {
    Elm_Object_Item* item = getElmObjectItem();
    MSG_RET_IF(!item, "item is null");
    const char* shown = elm_object_item_part_text_get(item, PART_NAME);
    std::string name = getText(PART_NAME);
    if (shown && name == shown)
        return;
    _emit(SIG_ICON_POSITION_INIT);
    _emitNameLine(name);
    elm_genlist_item_fields_update(item, PART_NAME, ELM_GENLIST_ITEM_FIELD_TEXT);
    elm_genlist_item_fields_update(item, PART_NUMBER, ELM_GENLIST_ITEM_FIELD_TEXT);
}

void MLItemContent::setAccessInfoActionCb() {
    Elm_Object_Item* item = getElmObjectItem();
    MSG_RET_IF(!item, "item is null");
    efl_access_object_reading_info_type_set(item, EFL_ACCESS_READING_INFO_TYPE_DESCRIPTION);
    _refreshAccessDescription();
}

void MLItemContent::_refreshAccessDescription() {
    Elm_Object_Item* item = getElmObjectItem();
    if (!item)
        return;
    std::string description;
    getAccessInfoText(description);
    efl_access_object_description_set(item, description.c_str());
}

// The shown text lines as plain text, cut to the first characters when long.
void MLItemContent::_accessLinesText(std::string& out) const {
    std::string lines;
    auto append = [&lines](const std::string& markup) {
        if (markup.empty())
            return;
        char* plain = elm_entry_markup_to_utf8(markup.c_str());
        if (!lines.empty())
            lines += ' ';
        lines += plain ? plain : markup.c_str();
        free(plain);
    };
    if (_textLayout != TEXT_LAYOUT_HIDE_TEXT1)
        append(getText(PART_TEXT1));
    if (_textLayout != TEXT_LAYOUT_HIDE_TEXT2)
        append(getText(PART_TEXT2));
    if (g_utf8_validate(lines.c_str(), -1, nullptr) &&
        g_utf8_strlen(lines.c_str(), -1) > MAX_ACCESS_TEXT_CHARS)
        lines.resize(g_utf8_offset_to_pointer(lines.c_str(), MAX_ACCESS_TEXT_CHARS) - lines.c_str());
    out = lines;
}

void MLItemContent::getAccessInfoText(std::string& out) {
    std::vector<std::string> pieces;

    std::string name;
    Elm_Object_Item* item = getElmObjectItem();
    const char* shown = item ? elm_object_item_part_text_get(item, PART_NAME) : nullptr;
    if (shown) {
        name = shown;
    } else {
        MSG_LOGW("objItem[%p] elm.text is null!!", static_cast<void*>(item));
        name = getText(PART_NAME);
    }
    if (!name.empty() &&
        (g_ascii_isdigit(name[0]) || name[0] == '+' || common_util::has_ltr_prefix(name.c_str()))) {
        std::string reading;
        common_util::make_phonenumber_text_for_tts(name.c_str(), reading);
        name = reading;
    }
    pieces.push_back(name);

    if (_hasUnreadBadge()) {
        int unread = _model.getUnreadCnt();
        if (unread == 1) {
            pieces.push_back(common_ui_helper::get_text("IDS_TTS_BODY_1_UNREAD_MESSAGE"));
        } else {
            char buf[TTS_UNREAD_MAX_BYTES + 1];
            // The translation carries one %d.
            snprintf(buf, sizeof(buf), common_ui_helper::get_text("IDS_TTS_BODY_PD_UNREAD_MESSAGES"), unread);
            pieces.push_back(buf);
        }
    }
    if (_isHighlighted) {
        std::string lines;
        _accessLinesText(lines);
        pieces.push_back(lines);
        pieces.push_back(getText(PART_TIME));
    }
    if (_style == LIST_STYLE_SELECT)
        pieces.push_back(common_ui_helper::get_text(_isChecked ? "IDS_ACCS_OPT_SELECTED_TTS"
                                                               : "IDS_ACCS_OPT_NOT_SELECTED_TTS"));
    std::string joined;
    for (const std::string& piece : pieces) {
        if (piece.empty())
            continue;
        if (!joined.empty())
            joined += ' ';
        joined += piece;
    }
    out = joined;
}

} // namespace msg_list
} // namespace msg_app
