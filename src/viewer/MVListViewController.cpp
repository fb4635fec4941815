#include "viewer/MVListViewController.h"

#include "common/CommonUiHelper.h"
#include "common/CommonUtil.h"
#include "common/FormattedNumber.h"
#include "common/MCommonAppEventMgr.h"
#include "common/MsgLog.h"
#include "common/addr/MCommonAddrMgr.h"
#include "common/ui/MCommonFont.h"
#include "common/ui/MCommonTheme.h"
#include "view_kit/WWindowController.h"
#include "viewer/MVConversationActions.h"
#include "viewer/MVItem/MVBubbleSizer.h"
#include "viewer/MVItem/MVItemBottomPadding.h"
#include "viewer/MVItem/MVItemBubble.h"
#include "viewer/MVItem/MVItemDateLine.h"
#include "viewer/MVItem/MVItemReply.h"
#include "viewer/MVItem/MVItemReplyText.h"
#include "viewer/MVItem/MVItemTitle.h"
#include "viewer/MVListAccessOrder.h"
#include "viewer/MVMouseEventMgr.h"
#include "viewer/media/MVSoundPlayer.h"
#include "viewer/media/MVUtility.h"
#include "viewer/media/MVWakeUpServiceMgr.h"

#include <algorithm>
#include <cstdlib>
#include <malloc.h>
#include <vector>

namespace msg_app {
namespace msg_viewer {

namespace {
// Rows put in at the top or in the middle make the genlist lay out again every row of the
// block they join; small blocks keep that to a few rows.
constexpr int GENLIST_BLOCK_COUNT = 4;
// The time the next older page's measuring takes from each main-loop iteration.
constexpr double AHEAD_SLICE_SECONDS = 0.002;
} // namespace

MVListViewController::MVListViewController(int threadId, MCommonMsgStore& store)
    : _threadId(threadId), _model(threadId, store), _rows(_model),
      _selectMode(*this, _model, _rows, [this] { _sendEvent(EVENT_OPTIONS_CHANGED); }),
      _storeSync(_model, _rows, _selectMode, _storeSyncHost()) {
    MSG_LOGI("threadId : %d", threadId);
    _actions = std::make_unique<MVConversationActions>(*this, _model, store, _alive,
                                                       [this] { _selectMode.leave(); });
}

MVListViewController::~MVListViewController() {
    _cancelRestRead();
    view_kit::WTimer::destroy(_restOfPageIdler);
    view_kit::WTimer::destroy(_heldFingerTimer);
    view_kit::WTimer::destroy(_readNoteIdler);
    _cancelPageRest();
    _stopMeasuringAhead();
}

MVStoreSync::Host MVListViewController::_storeSyncHost() {
    MVStoreSync::Host host;
    host.createBubble = [this](int msgId) { return _createBubble(msgId); };
    host.allPagesIn = [this] { return _titleItem != nullptr; };
    host.rebuild = [this](int readMsgId) { _rebuild(readMsgId); };
    host.optionsChanged = [this] { _sendEvent(EVENT_OPTIONS_CHANGED); };
    host.emptied = [this] { _sendEvent(EVENT_EMPTY); };
    host.firstAddress = [this] { return _actions->firstAddress(); };
    return host;
}

Evas_Object* MVListViewController::onCreateView(Evas_Object* parent, void* /*param*/) {
    Evas_Object* layout = elm_layout_add(parent);
    MSG_RETV_IF(!layout, nullptr, "creating page layout failed!!");
    elm_layout_theme_set(layout, "layout", "bottom_button", "default");
    evas_object_size_hint_weight_set(layout, EVAS_HINT_EXPAND, EVAS_HINT_EXPAND);
    evas_object_size_hint_align_set(layout, EVAS_HINT_FILL, EVAS_HINT_FILL);
    _selectModeLayout = elm_layout_add(layout);
    if (!_selectModeLayout || !elm_layout_theme_set(_selectModeLayout, "layout", "select_mode", "default")) {
        MSG_LOGE("creating selectModeLayout failed!!");
    } else {
        _selectMode.setLayout(_selectModeLayout);
        elm_object_part_content_set(layout, "elm.swallow.content", _selectModeLayout);
        _gestureLayer = elm_gesture_layer_add(_selectModeLayout);
        if (!_gestureLayer) {
            MSG_LOGE("creating gesture layer failed");
        } else if (!elm_gesture_layer_attach(_gestureLayer, _selectModeLayout)) {
            MSG_LOGE("gesture_layer_attach_failed");
        } else {
            elm_gesture_layer_cb_set(_gestureLayer, ELM_GESTURE_N_DOUBLE_TAPS, ELM_GESTURE_STATE_END,
                                     _doubleTapCb, this);
        }
    }
    evas_object_show(layout);
    return layout;
}

bool MVListViewController::_createGenlist() {
    Evas_Object* parent = _selectModeLayout ? _selectModeLayout : getEvasObject();
    MSG_RETV_IF(!parent, false, "no parent");
    _genlist = elm_genlist_add(parent);
    MSG_RETV_IF(!_genlist, false, "elm_genlist_add() failed");
    elm_object_style_set(_genlist, "message_only");
    evas_object_size_hint_weight_set(_genlist, EVAS_HINT_EXPAND, EVAS_HINT_EXPAND);
    evas_object_size_hint_align_set(_genlist, EVAS_HINT_FILL, EVAS_HINT_FILL);
    elm_genlist_homogeneous_set(_genlist, EINA_FALSE);
    elm_genlist_mode_set(_genlist, ELM_LIST_COMPRESS);
    elm_genlist_select_mode_set(_genlist, ELM_OBJECT_SELECT_MODE_DEFAULT);
    elm_genlist_block_count_set(_genlist, GENLIST_BLOCK_COUNT);
    MCommonTheme::getInstance()->changeScrollBarColor(_genlist);
    MCommonTheme::getInstance()->changeScrollEndEffectColor(_genlist);
    _rows.setGenlist(_genlist);
    _labelQueue =
        std::make_unique<MVBubbleLabelQueue>(_genlist, [this](int msgId) { return _rows.find(msgId); });
    view_kit::WWindowController* window = getWindowController();
    if (window && window->getCircleSurface())
        common_ui_helper::add_circle_genlist(_genlist, window->getCircleSurface());
    evas_object_smart_callback_add(_genlist, "edge,top", _edgeTopCb, this);
    evas_object_smart_callback_add(_genlist, "realized", _realizedCb, this);
    // Before the end's hold hears the finger and lets go.
    evas_object_event_callback_priority_add(_genlist, EVAS_CALLBACK_MOUSE_DOWN, EVAS_CALLBACK_PRIORITY_BEFORE,
                                            _genlistDownCb, this);
    evas_object_smart_callback_add(_genlist, "scroll,drag,start", _userScrollCb, this);
    evas_object_smart_callback_add(_genlist, "scroll,anim,start", _userScrollCb, this);
    _watchMotion(true);
    _sizer = std::make_shared<MVBubbleSizer>(_genlist);
    MVRotaryReply::Host host;
    host.threadId = _threadId;
    host.isSelectMode = [this] { return _selectMode.isOn(); };
    host.replyButton = [this] { return _replyItem ? _replyItem->getButton() : nullptr; };
    host.onUserScroll = [this] { _onUserScroll(); };
    host.reply = [this](bool slide) { return _actionReply(slide); };
    _rotaryReply = std::make_unique<MVRotaryReply>(_genlist, std::move(host));
    _placeHold = std::make_unique<MVPlaceHold>(_genlist);
    _accessOrder = std::make_unique<MVListAccessOrder>(*this);
    if (_selectModeLayout)
        elm_object_part_content_set(_selectModeLayout, "elm.swallow.content", _genlist);
    evas_object_show(_genlist);
    return true;
}

void MVListViewController::onCreated() {
    _browserAvailable = common_util::is_browser_available();
    _actions->initFontSize();
    if (!_createGenlist())
        return;
    _listLoad();
    _rotaryItem = std::make_unique<MCommonRotaryActivateMgr::Item>(_genlist);
    _rotaryItem->regist(_model.getCount() > 0);
    _storeSync.start();
    MCommonAppEventMgr::getInstance()->addListener(this);
    MVWakeUpServiceMgr::getInstance()->init(_threadId, _actions->isSupportReply());
    MVWakeUpServiceMgr::getInstance()->regist();
}

void MVListViewController::onDestroy() {
    // A clip of this conversation stops with it, and its copies for other applications go.
    MVSoundPlayer::getInstance()->destroy();
    remove_temp_file_dir();
    MVWakeUpServiceMgr::getInstance()->unregist();
    _alive.reset();
    _selectMode.dropBgAction();
    _cancelRestRead();
    view_kit::WTimer::destroy(_restOfPageIdler);
    view_kit::WTimer::destroy(_heldFingerTimer);
    view_kit::WTimer::destroy(_readNoteIdler);
    _cancelPageRest();
    _stopMeasuringAhead();
    if (_genlist) {
        // The genlist may outlive this controller (its window goes later): deleting its rows
        // scrolls it, which must not reach a controller that is gone.
        evas_object_event_callback_del_full(_genlist, EVAS_CALLBACK_MOUSE_DOWN, _genlistDownCb, this);
        evas_object_smart_callback_del_full(_genlist, "edge,top", _edgeTopCb, this);
        evas_object_smart_callback_del_full(_genlist, "realized", _realizedCb, this);
        evas_object_smart_callback_del_full(_genlist, "scroll,drag,start", _userScrollCb, this);
        evas_object_smart_callback_del_full(_genlist, "scroll,anim,start", _userScrollCb, this);
        _watchMotion(false);
    }
    _rows.cancelRemeasure();
    _storeSync.stop();
    MCommonAppEventMgr::getInstance()->removeListener(this);
    _rotaryReply.reset();
    _placeHold.reset();
    _rotaryItem.reset();
    // A long conversation's records are gone with the model: their memory goes back to the system.
    _model.clear();
    malloc_trim(0);
    _actions->restoreFontSize();
}

unsigned int
MVListViewController::addEventListener(std::function<void(Event, const MVListViewController*)> listener,
                                       Evas_Object* owner) {
    return _signal.addListener(std::move(listener), owner);
}

void MVListViewController::removeEventListener(unsigned int& id) {
    _signal.removeListener(id);
    id = 0;
}

void MVListViewController::_sendEvent(Event event) {
    _signal.emit(event, this);
}

void MVListViewController::_listLoad() {
    _model.loadNewest(FIRST_READ_SIZE);
    _rebuild(0);
    // Opened at its end: kept there while the first rows find their heights.
    if (_placeHold)
        _placeHold->start([this] { _showEnd(); });
    if (!_model.isWhole() && !_restReadFrame.isWaiting()) {
        _restReadFrame.start(evas_object_evas_get(_genlist), [this] {
            _cancelRestRead();
            // Once the loop has gone round after the frame that shows the first read.
            _restReadStart = ecore_idle_enterer_add(_restReadStartCb, this);
        });
    }
}

Eina_Bool MVListViewController::_restReadStartCb(void* data) {
    auto* self = static_cast<MVListViewController*>(data);
    self->_restReadStart = nullptr;
    self->_storeSync.readRest();
    return ECORE_CALLBACK_CANCEL;
}

void MVListViewController::_cancelRestRead() {
    _restReadFrame.stop();
    if (_restReadStart)
        ecore_idle_enterer_del(_restReadStart);
    _restReadStart = nullptr;
}

void MVListViewController::_rebuild(int readMsgId) {
    int readIndex = readMsgId ? _model.getIndexOf(readMsgId) : -1;
    if (readIndex >= 0) {
        // From the bubble being read down to the newest, and a screen above it.
        _buildRows(std::max(PAGE_SIZE, _model.getCount() - readIndex + FIRST_SCREEN_SIZE));
        _rows.showAtTop(readMsgId);
        // Kept at the top while the rows above it, new ones among them, find their heights.
        if (_placeHold)
            _placeHold->start([this, readMsgId] { _rows.showAtTop(readMsgId); });
        return;
    }
    // Each bubble the genlist sizes builds its text widget: the first frame gets only what fills
    // the screen, and the rest of the page follows once that is shown.
    _buildRows(FIRST_SCREEN_SIZE);
    _showEnd();
    // A place held until now is the end from here on.
    if (_placeHold && _placeHold->isHeld())
        _placeHold->start([this] { _showEnd(); });
    _restOfPageWaiting = !_titleItem && _model.getCount() > 0;
}

void MVListViewController::_buildRows(int count) {
    view_kit::WTimer::destroy(_restOfPageIdler);
    _cancelPageRest();
    _restOfPageWaiting = false;
    _titleItem = nullptr;
    _replyItem = nullptr;
    _rows.clear();
    _loadBubbles(count);
    _appendEndRows();
}

void MVListViewController::_loadRestOfPage() {
    _restOfPageWaiting = false;
    _restOfPageIdler = view_kit::WTimer::addIdler(
        [this](void*) {
            _restOfPageIdler.reset();
            _loadBubbles(PAGE_SIZE - FIRST_SCREEN_SIZE);
            // The rows went in above the ones in view.
            _showEnd();
            return false;
        },
        nullptr);
}

void MVListViewController::_showEnd() {
    // The end of the conversation in the middle of the circle: the reply button, else the
    // newest bubble.
    Elm_Object_Item* end = _replyItem ? _replyItem->getElmObjectItem() : nullptr;
    if (!end && elm_genlist_last_item_get(_genlist))
        end = elm_genlist_item_prev_get(elm_genlist_last_item_get(_genlist));
    if (end)
        elm_genlist_item_show(end, ELM_GENLIST_ITEM_SCROLLTO_MIDDLE);
}

void MVListViewController::_appendEndRows() {
    if (_model.getCount() > 0 && _actions->isSupportReply()) {
        auto reply = std::make_unique<MVItemReply>(_threadId, &_model);
        reply->addEventListener([this] { _actionReply(false); }, _genlist);
        reply->setViewType(getViewType());
        MVItemReply* placed = reply.get();
        _replyItem = wgenlist_item_append(_genlist, nullptr, std::move(reply), ELM_GENLIST_ITEM_NONE)
                         ? placed
                         : nullptr;
        auto caption = std::make_unique<MVItemReplyText>();
        caption->setViewType(getViewType());
        caption->addEventListener([this] { _actionReply(false); }, _genlist);
        wgenlist_item_append(_genlist, nullptr, std::move(caption), ELM_GENLIST_ITEM_NONE);
    }
    wgenlist_item_append(_genlist, nullptr, std::make_unique<MVItemBottomPadding>(), ELM_GENLIST_ITEM_NONE);
}

std::unique_ptr<MVItemBubble> MVListViewController::_createBubble(int msgId) {
    std::unique_ptr<MVItemBubble> bubble = _takeAheadBubble(msgId);
    if (!bubble) {
        bubble = std::make_unique<MVItemBubble>();
        if (!bubble->init(msgId, _browserAvailable, getViewType(), &_model)) {
            MSG_LOGE("MVItemBubble is nullptr");
            return nullptr;
        }
        bubble->setSizer(_sizer);
    }
    // Its popups show on this view, and what it asks for is done by the conversation.
    bubble->attachToParentViewController(this);
    bubble->setActions(_actions.get());
    bubble->addEventListener(
        [this](MVItemBubble::Event event, MVItem* item) {
            _selectMode.onBubbleEvent(event, static_cast<MVItemBubble*>(item));
        },
        _genlist);
    // A bubble paged in or added again shows the selection it belongs to.
    if (_selectMode.isChecked(msgId))
        bubble->setCheck(true);
    return bubble;
}

std::unique_ptr<MVItemBubble> MVListViewController::_takeAheadBubble(int msgId) {
    auto found = _aheadBubbles.find(msgId);
    if (found == _aheadBubbles.end())
        return nullptr;
    std::unique_ptr<MVItemBubble> bubble = std::move(found->second);
    _aheadBubbles.erase(found);
    // A message the store changed since is read again; its record is then another one.
    std::shared_ptr<msg_store::Conversation> conv;
    if (!_model.getConvById(msgId, conv) || conv != bubble->getConv())
        return nullptr;
    if (bubble->getViewType() != getViewType())
        bubble->setViewType(getViewType());
    return bubble;
}

void MVListViewController::loadOlderPage() {
    if (_titleItem)
        return;
    // The top reached again before the rest of the page went in: its next rows go in now.
    if (_pageRest <= 0) {
        _pageRest = PAGE_SIZE;
        // The bubbles made ahead are this page's: kept, and the next page made once it is in.
        _aheadFrame.stop();
        view_kit::WTimer::destroy(_aheadTimer);
    }
    MVItemBubble* oldest = _rows.oldest();
    Elm_Object_Item* oldestItem = oldest ? oldest->getElmObjectItem() : nullptr;
    _putPageStep();
    // The rows the user was reading stay where they were: at the top, where the list stopped.
    if (oldestItem)
        elm_genlist_item_show(oldestItem, ELM_GENLIST_ITEM_SCROLLTO_TOP);
}

void MVListViewController::_putPageStep() {
    view_kit::WTimer::destroy(_pageRestTimer);
    int count = std::min(PAGE_STEP, _pageRest);
    _pageRest -= count;
    _loadBubbles(count);
    // The oldest message is in: there is no rest, and nothing more to make ahead.
    if (_titleItem) {
        _pageRest = 0;
        _stopMeasuringAhead();
    }
    _schedulePageRest();
}

void MVListViewController::_schedulePageRest() {
    if (_pageRest <= 0 || !_pageRestTimer.expired() || _dragging || _animating)
        return;
    // The next iteration, after the frame with the rows just put in.
    _pageRestTimer = view_kit::WTimer::addTimer(
        0.0,
        [this](void*) {
            _pageRestTimer.reset();
            if (!_dragging && !_animating)
                _putPageStep();
            return false;
        },
        nullptr);
}

void MVListViewController::_cancelPageRest() {
    _pageRest = 0;
    view_kit::WTimer::destroy(_pageRestTimer);
}

void MVListViewController::_watchMotion(bool watch) {
    const struct {
        const char* event;
        Evas_Smart_Cb cb;
    } motions[] = {
        {"scroll,drag,start", _motionCb<&MVListViewController::_dragging, true>},
        {"scroll,drag,stop", _motionCb<&MVListViewController::_dragging, false>},
        {"scroll,anim,start", _motionCb<&MVListViewController::_animating, true>},
        {"scroll,anim,stop", _motionCb<&MVListViewController::_animating, false>},
    };
    for (const auto& motion : motions) {
        if (watch)
            evas_object_smart_callback_add(_genlist, motion.event, motion.cb, this);
        else
            evas_object_smart_callback_del_full(_genlist, motion.event, motion.cb, this);
    }
}

template <bool MVListViewController::*Flag, bool Moving>
void MVListViewController::_motionCb(void* data, Evas_Object* /*obj*/, void* /*eventInfo*/) {
    auto* self = static_cast<MVListViewController*>(data);
    self->*Flag = Moving;
    self->_schedulePageRest();
}

void MVListViewController::_loadBubbles(int pageSize) {
    const int msgCount = _model.getCount();
    MSG_RET_IF(msgCount <= 0, "_msgCount is less than 0");
    if (_titleItem) {
        MSG_LOGI("loading done _msgCount[%d], _loadedCount[%d]", msgCount, _rows.getCount());
        return;
    }
    // The page ends at the oldest message shown, wherever messages were inserted or moved since.
    MVItemBubble* oldest = _rows.oldest();
    // A page that reaches the oldest message held needs those before it, read or not yet.
    if (!_model.isWhole() && (oldest ? _model.getIndexOf(oldest->getMsgId()) : msgCount) <= pageSize)
        _model.readRest();
    int end = _model.getCount();
    std::shared_ptr<msg_store::Conversation> conv, older;
    if (oldest) {
        Elm_Object_Item* oldestItem = oldest->getElmObjectItem();
        end = _model.getIndexOf(oldest->getMsgId());
        MSG_RET_IF(end < 0, "oldest bubble is not in the model");
        // Its date line goes when the page continues its day.
        Elm_Object_Item* above = elm_genlist_item_prev_get(oldestItem);
        _model.getNthConv(end, conv);
        if (end > 0 && _model.getNthConv(end - 1, older) && above &&
            MVBubbleRows::itemOf(above)->getType() == MVItem::DATE_LINE &&
            MVItemDateLine::isSameDay(older->time / 1000, conv->time / 1000))
            elm_object_item_del(above);
    }
    int begin = end > pageSize ? end - pageSize : 0;
    // Newest first: each bubble, then the line of its day above it when it opens a day, or is
    // the oldest shown.
    std::vector<std::unique_ptr<MVItem>> rows;
    for (int i = end - 1; i >= begin; --i) {
        if (!_model.getNthConv(i, conv))
            break;
        if (std::unique_ptr<MVItemBubble> bubble = _createBubble(conv->msgId))
            rows.push_back(std::move(bubble));
        older.reset();
        if (i == begin || !_model.getNthConv(i - 1, older) ||
            !MVItemDateLine::isSameDay(older->time / 1000, conv->time / 1000))
            rows.push_back(std::make_unique<MVItemDateLine>(static_cast<long>(conv->time / 1000)));
    }
    _rows.placeNewestFirst(std::move(rows), elm_genlist_items_count(_genlist) == 0);
    if (begin == 0)
        _titleItem = wgenlist_item_prepend(_genlist, nullptr, std::make_unique<MVItemTitle>(_threadId),
                                           ELM_GENLIST_ITEM_NONE);
    if (_pageRest <= 0)
        _startMeasuringAhead();
}

void MVListViewController::_startMeasuringAhead() {
    // The next older page is measured a slice at a time, so that its rows go in with their
    // heights known when the user reaches the top. A zero timer gets its slice in every main-loop
    // iteration, also while the list scrolls without a pause, which an idler would not; it starts
    // once the rows just put in are drawn, which its slices would otherwise hold up.
    _stopMeasuringAhead();
    _aheadCount = 0;
    if (_titleItem || !_genlist)
        return;
    _aheadFrame.start(evas_object_evas_get(_genlist), [this] {
        // The title row at the oldest page formats the recipient's number: the formatting loads
        // meanwhile, not in the step that puts that page in.
        formatted_number::prepare();
        _aheadTimer = view_kit::WTimer::addTimer(
            0.0,
            [this](void*) {
                double start = ecore_time_get();
                do {
                    if (!_measureNextAhead()) {
                        _aheadTimer.reset();
                        return false;
                    }
                } while (ecore_time_get() - start < AHEAD_SLICE_SECONDS);
                return true;
            },
            nullptr);
    });
}

void MVListViewController::_stopMeasuringAhead() {
    _aheadFrame.stop();
    view_kit::WTimer::destroy(_aheadTimer);
    _aheadBubbles.clear();
}

bool MVListViewController::_measureNextAhead() {
    MVItemBubble* oldest = _rows.oldest();
    int next = oldest ? _model.getIndexOf(oldest->getMsgId()) - 1 - _aheadCount : -1;
    std::shared_ptr<msg_store::Conversation> conv;
    if (next < 0 || _aheadCount >= PAGE_SIZE || !_model.getNthConv(next, conv))
        return false;
    ++_aheadCount;
    // Kept for the page: its text, made here, is most of what building its row would cost then.
    auto bubble = std::make_unique<MVItemBubble>();
    if (bubble->init(conv->msgId, _browserAvailable, getViewType(), &_model)) {
        bubble->setSizer(_sizer);
        if (bubble->measureAhead(_genlist))
            _aheadBubbles[conv->msgId] = std::move(bubble);
    }
    return true;
}

void MVListViewController::_realizedCb(void* data, Evas_Object* /*obj*/, void* eventInfo) {
    MVItem* row = MVBubbleRows::itemOf(static_cast<Elm_Object_Item*>(eventInfo));
    if (!row || row->getType() != MVItem::BUBBLE)
        return;
    auto* self = static_cast<MVListViewController*>(data);
    self->_labelQueue->add(static_cast<MVItemBubble*>(row)->getMsgId());
    if (self->_restOfPageWaiting)
        self->_loadRestOfPage();
}

void MVListViewController::_userScrollCb(void* data, Evas_Object* /*obj*/, void* /*eventInfo*/) {
    static_cast<MVListViewController*>(data)->_onUserScroll();
}

void MVListViewController::_onUserScroll() {
    if (_placeHold)
        _placeHold->stop();
    if (!_restOfPageWaiting && _restOfPageIdler.expired())
        return;
    // Rows put in above would move what the user is reading, and the end brought back: the rest
    // of the first page comes with the older pages, when the top is reached.
    MSG_LOGI("the user scrolls before the first page is complete");
    _restOfPageWaiting = false;
    view_kit::WTimer::destroy(_restOfPageIdler);
}

bool MVListViewController::back() {
    rotary_to_action_animation_delete();
    return _selectMode.back();
}

void MVListViewController::takeHeldFinger() {
    MSG_RET_IF(!_genlist, "no genlist");
    view_kit::WTimer::destroy(_heldFingerTimer);
    _heldFingerSince = ecore_loop_time_get();
    evas_pointer_canvas_xy_get(evas_object_evas_get(_genlist), &_heldFingerX, &_heldFingerY);
    if (_tryHeldFinger())
        return;
    // The end is still held, or the rows under the finger not yet in their places.
    _heldFingerTimer = view_kit::WTimer::addTimer(
        MVMouseEventMgr::FOLLOW_INTERVAL, [this](void*) { return !_tryHeldFinger(); }, nullptr);
}

bool MVListViewController::_tryHeldFinger() {
    Evas* evas = evas_object_evas_get(_genlist);
    if (!(evas_pointer_button_down_mask_get(evas) & 1) ||
        ecore_loop_time_get() - _heldFingerSince > HELD_FINGER_WAIT)
        return true;
    int x = 0, y = 0;
    evas_pointer_canvas_xy_get(evas, &x, &y);
    if (std::abs(x - _heldFingerX) >= MVMouseEventMgr::MOVE_THRESHOLD ||
        std::abs(y - _heldFingerY) >= MVMouseEventMgr::MOVE_THRESHOLD)
        return true;
    if (isPlaceHeld())
        return false;
    MVItem* row = MVBubbleRows::itemOf(elm_genlist_at_xy_item_get(_genlist, x, y, nullptr));
    return row && row->getType() == MVItem::BUBBLE && static_cast<MVItemBubble*>(row)->takeHeldFinger(x, y);
}

void MVListViewController::_genlistDownCb(void* data, Evas* /*e*/, Evas_Object* /*obj*/, void* eventInfo) {
    auto* self = static_cast<MVListViewController*>(data);
    auto* down = static_cast<Evas_Event_Mouse_Down*>(eventInfo);
    MVItem* row = MVBubbleRows::itemOf(
        elm_genlist_at_xy_item_get(self->_genlist, down->canvas.x, down->canvas.y, nullptr));
    bool bubble = row && row->getType() == MVItem::BUBBLE;
    if (bubble && static_cast<MVItemBubble*>(row)->hasFinger())
        return;
    // The finger missed the bubble's text: a row being built again (the store marked it read, say)
    // has none for a moment, and while a place is held the rows are still finding their places.
    if (bubble || self->isPlaceHeld())
        self->takeHeldFinger();
}

void MVListViewController::_edgeTopCb(void* data, Evas_Object* /*obj*/, void* /*eventInfo*/) {
    auto* self = static_cast<MVListViewController*>(data);
    // Rows drawn again pass the top on their way back to the row being read: not the user's.
    if (self->_readBeforeRedraw)
        return;
    self->loadOlderPage();
}

// The actions are the conversation's; these keep the names the rest of the view calls them by.

void MVListViewController::doAction(Action action) {
    if (action == ACTION_DELETE)
        _selectMode.deleteChecked();
    else if (action == ACTION_SELECT_MODE)
        _selectMode.enter(nullptr);
    else if (!_actions->doAction(action))
        MSG_LOGE("Invalid action type [%d]", action);
}

void MVListViewController::createThreadOptions() {
    _actions->createThreadOptions();
}

bool MVListViewController::_actionReply(bool slide) {
    return _actions->reply(slide);
}

void MVListViewController::toggleFontSize(int y) {
    _actions->toggleFontSize(y);
}

Evas_Event_Flags MVListViewController::_doubleTapCb(void* data, void* eventInfo) {
    auto* self = static_cast<MVListViewController*>(data);
    auto* taps = static_cast<Elm_Gesture_Taps_Info*>(eventInfo);
    if (self->_selectMode.isOn()) {
        MSG_LOGI("Ignore double tap event on edit mode.");
        return EVAS_EVENT_FLAG_NONE;
    }
    self->toggleFontSize(taps ? taps->y : 0);
    return EVAS_EVENT_FLAG_NONE;
}

Elm_Object_Item* MVListViewController::_middleItem() const {
    int x = 0, y = 0, w = 0, h = 0;
    evas_object_geometry_get(_genlist, &x, &y, &w, &h);
    return elm_genlist_at_xy_item_get(_genlist, x + w / 2, y + h / 2, nullptr);
}

void MVListViewController::_noteReadRow() {
    _readBeforeRedraw = _middleItem();
    if (_readNoteIdler.expired())
        _readNoteIdler = view_kit::WTimer::addIdler(
            [this](void*) {
                _readBeforeRedraw = nullptr;
                return false;
            },
            nullptr);
}

void MVListViewController::_redrawRowsInPlace() {
    // Every row takes new sizes (and a language its direction), which the list would otherwise
    // meet from its top: the row in the middle of the screen is brought back there. One change
    // brings several events; they all keep the row noted first, until the loop is idle.
    bool noted = false;
    for (Elm_Object_Item* it = elm_genlist_first_item_get(_genlist); it && _readBeforeRedraw && !noted;
         it = elm_genlist_item_next_get(it))
        noted = it == _readBeforeRedraw;
    if (!noted)
        _noteReadRow();
    // The rows in view are drawn again too: their texts, times and direction follow.
    _rows.refreshTimes();
    if (_readBeforeRedraw)
        elm_genlist_item_show(_readBeforeRedraw, ELM_GENLIST_ITEM_SCROLLTO_MIDDLE);
}

void MVListViewController::appEventListener(MCommonAppEventType type) {
    // Bubbles keep their built texts; whatever else changed may show in them (names, language,
    // text sizes, settings).
    if (type != APP_EVENT_RESUMED && type != APP_EVENT_PAUSED && type != APP_EVENT_LANGUAGE_CHANGING) {
        MVItemBubble::invalidateMarkups();
        // The bubbles measured ahead keep their times as they were formatted: measured again.
        if (!_aheadBubbles.empty())
            _startMeasuringAhead();
    }
    switch (type) {
    case APP_EVENT_LANGUAGE_CHANGING:
        _noteReadRow();
        break;
    case APP_EVENT_RESUMED:
        _sendEvent(EVENT_RESUMED);
        break;
    case APP_EVENT_PAUSED:
        _sendEvent(EVENT_PAUSED);
        break;
    case APP_EVENT_CONTACTS_CHANGED:
        if (_titleItem)
            elm_genlist_item_update(_titleItem);
        elm_genlist_realized_items_update(_genlist);
        // A contact saved from the panel is no longer one to create.
        _sendEvent(EVENT_OPTIONS_CHANGED);
        break;
    case APP_EVENT_TIME_FORMAT_CHANGED:
    case APP_EVENT_LANGUAGE_CHANGED:
    case APP_EVENT_REGION_FORMAT_CHANGED:
        _redrawRowsInPlace();
        break;
    case APP_EVENT_FONT_CHANGED:
        _actions->applyUserFontSize();
        break;
    default:
        break;
    }
}

} // namespace msg_viewer
} // namespace msg_app
