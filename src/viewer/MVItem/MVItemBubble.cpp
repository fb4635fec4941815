#include "viewer/MVItem/MVItemBubble.h"

#include "common/CommonUtil.h"
#include "common/MCommonCutlinkMgr.h"
#include "common/MCommonNumberSync.h"
#include "common/MsgLog.h"
#include "common/addr/MCommonAddrMgr.h"
#include "common/ui/MCommonI18n.h"
#include "viewer/IMVItemDataProvider.h"
#include "viewer/MVItem/IMVBubbleActions.h"
#include "viewer/MVItem/MVBubbleLook.h"
#include "viewer/MVItem/MVBubbleMarkup.h"
#include "viewer/MVItem/MVBubbleSizer.h"
#include "viewer/MVItem/MVBubbleSpeech.h"

#include <Edje.h>

#include <cstdlib>
#include <cstring>

namespace msg_app {
namespace msg_viewer {

namespace {

// Room the row keeps around its bubble (as the theme has it).
constexpr int ROW_EXTRA_H = 10;
constexpr const char* ROW_GROUP = "bubble/row";
constexpr const char* LABEL_PART = "elm.swallow.bubble";
// The bubble whose text a text widget shows, on the widget.
constexpr const char* OWNER_KEY = "msg.viewer.bubble";
// Set on a text widget no bubble owns once its text is gone.
constexpr const char* EMPTIED_KEY = "msg.viewer.emptied";

bool isReceived(const msg_store::Conversation& conv) {
    return conv.folderType == msg_store::FOLDER_INBOX ||
           (conv.folderType == msg_store::FOLDER_WATCH_INBOX && common_util::is_sta_enabled());
}

std::string plainText(const std::string& markup) {
    char* plain = elm_entry_markup_to_utf8(markup.c_str());
    std::string out = plain ? plain : "";
    free(plain);
    return out;
}

} // namespace

unsigned int MVItemBubble::_markupsGeneration = 1;

MVItemBubble::MVItemBubble() = default;

MVItemBubble::~MVItemBubble() {
    _releaseLabel();
}

void MVItemBubble::_releaseLabel() {
    // The widget may live on in its row for another bubble: nothing of this one stays on it.
    if (_label) {
        evas_object_event_callback_del_full(_label, EVAS_CALLBACK_DEL, _labelDelCb, this);
        elm_object_signal_callback_del(_label, "elm,state,content,*", "*", _contentPressedCb);
        MCommonCutlinkMgr::unhook(_label, _anchorClickedCb, this);
        _content.stopProviding(_label);
        evas_object_data_del(_label, OWNER_KEY);
    }
    if (_cutLink)
        qel_cut_link_delete(_cutLink);
    _gesture.detach();
    _label = nullptr;
    _cutLink = nullptr;
}

bool MVItemBubble::init(int msgId, bool browserAvailable, ViewType viewType,
                        const IMVItemDataProvider* provider) {
    MSG_RETV_IF(!provider, false, "provider is nullptr");
    _browserAvailable = browserAvailable;
    _viewType = viewType;
    std::shared_ptr<msg_store::Conversation> conv;
    if (!provider->getConvById(msgId, conv) || !conv) {
        MSG_LOGE("conv is nullptr");
        return false;
    }
    update(conv);
    return true;
}

void MVItemBubble::update(std::shared_ptr<msg_store::Conversation> conv) {
    MSG_RET_IF(!conv, "conv is nullptr");
    _conv = std::move(conv);
    _bubbleType = isReceived(*_conv) ? BUBBLE_RECEIVED : BUBBLE_SENT;
    _isMms = MVBubbleMarkup::isMms(*_conv);
    _bodyPartCount = MVBubbleMarkup::bodyPartCount(*_conv);
    if (_bodyPart >= _bodyPartCount)
        _bodyPart = 0;
    updateDateTimeFormat();
}

void MVItemBubble::updateDateTimeFormat() {
    _markupGeneration = 0;
    if (_conv)
        MCommonI18n::getInstance()->getFormattedDateTimeText(MCommonI18n::TIME, getTime(), _timeText, false);
}

void MVItemBubble::invalidateMarkups() {
    // 0 stays the mark of a text never built.
    if (++_markupsGeneration == 0)
        _markupsGeneration = 1;
}

void MVItemBubble::_refreshMarkup(Evas_Object* measurer) {
    if (_markupGeneration == _markupsGeneration)
        return;
    _rtl = common_util::is_rtl_supported(common_util::LANGUAGE);
    _markup = _makeMarkupText(measurer);
    _markupGeneration = _markupsGeneration;
}

int MVItemBubble::getMsgId() const {
    return _conv ? _conv->msgId : -1;
}

time_t MVItemBubble::getTime() const {
    return _conv ? static_cast<time_t>(_conv->time / 1000) : 0;
}

int MVItemBubble::getFolderType() const {
    return _conv ? _conv->folderType : msg_store::FOLDER_NONE;
}

unsigned int MVItemBubble::addEventListener(std::function<void(Event, MVItem*)> listener,
                                            Evas_Object* owner) {
    return _signal.addListener(std::move(listener), owner);
}

void MVItemBubble::removeEventListener(unsigned int& id) {
    _signal.removeListener(id);
    id = 0;
}

void MVItemBubble::setCheck(bool checked) {
    _isChecked = checked;
    MVBubbleLook::setChecked(_label, checked);
}

void MVItemBubble::setViewType(ViewType viewType) {
    _viewType = viewType;
    if (viewType == VIEW_TYPE_NORMAL)
        setCheck(false);
}

Elm_Genlist_Item_Class* MVItemBubble::getItemClassStatic() {
    // A class a side: the genlist hands a row it put back only to a bubble of its own class, and a
    // row of the same side keeps its text widget's theme as it is.
    auto make = [] {
        Elm_Genlist_Item_Class* cls = elm_genlist_item_class_new();
        cls->item_style = "message.bubble";
        cls->func.content_get = _contentGetCb;
        cls->func.reusable_content_get = _reusableContentGetCb;
        cls->func.del = WGenlistItem::delCb;
        return cls;
    };
    static Elm_Genlist_Item_Class* received = make();
    static Elm_Genlist_Item_Class* sent = make();
    return _bubbleType == BUBBLE_RECEIVED ? received : sent;
}

void MVItemBubble::onSelect(Elm_Object_Item* item) {
    elm_genlist_item_selected_set(item, EINA_FALSE);
    // The long press already acted: the release that ends it is not a tap.
    if (!_gesture.takeLongPressed())
        _bubbleClicked();
}

void MVItemBubble::_bubbleClicked() {
    if (_viewType == VIEW_TYPE_SELECT) {
        setCheck(!_isChecked);
        _signal.emit(_isChecked ? CHECKED : UNCHECKED, this);
    } else if (_viewType != VIEW_TYPE_NORMAL) {
        MSG_LOGE("invalid viewType");
    } else if (_conv && _isMms &&
               MVBubbleMarkup::getRetrieveType(*_conv, common_util::is_sta_enabled()) !=
                   MVBubbleMarkup::RETRIEVE_NONE) {
        if (_actions)
            _actions->retrieveMessage(*this);
    } else if (_conv && MVBubbleMarkup::isOutbox(*_conv, common_util::is_sta_enabled()) &&
               msg_store::isSendFailure(_conv->networkStatus)) {
        // Whatever the failure, the bubble shows the failure mark, and a tap sends it again.
        _resend();
    } else if (_bodyPartCount > 1) {
        _showNextBodyPart();
    }
}

void MVItemBubble::_onLongPress() {
    if (_viewType == VIEW_TYPE_SELECT)
        _bubbleClicked();
    else
        _signal.emit(LONGPRESSED, this);
}

bool MVItemBubble::takeHeldFinger(int x, int y) {
    return _label && _gesture.takeHeldFinger(x, y);
}

void MVItemBubble::showContentPressed() {
    if (_label)
        elm_object_signal_emit(_label, "elm,state,content,pressed", "");
}

void MVItemBubble::_resend() {
    if (_resendRunning) {
        MSG_LOGW("resend of msgId [%d] is running", getMsgId());
        return;
    }
    // The answer and the bubble's end both come on the main loop: a live token means a live bubble.
    std::weak_ptr<bool> alive = _alive;
    auto done = [this, alive, msgId = getMsgId()](bool sent) {
        if (alive.expired())
            MSG_LOGI("the bubble of msgId [%d] went before its resend ended", msgId);
        else
            _onResent(sent);
    };
    // A road that is not there tells so, and the message stays as it failed.
    if (!_actions || !_actions->resendMessage(*this, done))
        return;
    _resendRunning = true;
    _failedStatus = _conv->networkStatus;
    _conv->networkStatus = msg_store::NETWORK_STATUS_SENDING;
    _refreshStatus();
}

void MVItemBubble::_onResent(bool sent) {
    _resendRunning = false;
    // On success the store's update redraws the bubble; a refusal brings back the failure it had.
    if (!sent && _conv->networkStatus == msg_store::NETWORK_STATUS_SENDING) {
        _conv->networkStatus = _failedStatus;
        _refreshStatus();
    }
}

void MVItemBubble::_showNextBodyPart() {
    _bodyPart = (_bodyPart + 1) % _bodyPartCount;
    _refreshStatus();
    if (Elm_Object_Item* item = getElmObjectItem())
        elm_genlist_item_show(item, ELM_GENLIST_ITEM_SCROLLTO_TOP);
}

void MVItemBubble::_refreshStatus() {
    // The status line is part of the text.
    _markupGeneration = 0;
    if (getElmObjectItem())
        elm_genlist_item_update(getElmObjectItem());
}

Evas_Object* MVItemBubble::_contentGetCb(void* data, Evas_Object* obj, const char* part) {
    if (!data || !part || strcmp(part, "elm.icon") != 0)
        return nullptr;
    return static_cast<MVItemBubble*>(data)->_createContent(obj);
}

Evas_Object* MVItemBubble::_reusableContentGetCb(void* data, Evas_Object* obj, const char* part,
                                                 Evas_Object* old) {
    if (!data || !part || strcmp(part, "elm.icon") != 0 || !old)
        return nullptr;
    return static_cast<MVItemBubble*>(data)->_reuseContent(obj, old);
}

Evas_Object* MVItemBubble::_createContent(Evas_Object* genlist) {
    MSG_RETV_IF(!_conv, nullptr, "conv is nullptr");
    Evas_Object* row = elm_layout_add(genlist);
    MSG_RETV_IF(!row, nullptr, "elm_layout_add failed");
    elm_layout_file_set(row, common_util::get_message_edj().c_str(), ROW_GROUP);
    return _fillRow(genlist, row);
}

Evas_Object* MVItemBubble::_reuseContent(Evas_Object* genlist, Evas_Object* old) {
    // The genlist hands back a row another bubble had: laying rows out over and over then
    // builds no theme object. Its text widget is that bubble's no longer.
    const char* group = nullptr;
    elm_layout_file_get(old, nullptr, &group);
    if (!_conv || !group || strcmp(group, ROW_GROUP) != 0)
        return nullptr;
    if (Evas_Object* stale = elm_object_part_content_get(old, LABEL_PART))
        if (auto* owner = static_cast<MVItemBubble*>(evas_object_data_get(stale, OWNER_KEY)))
            owner->_releaseLabel();
    _fillRow(genlist, old);
    // The genlist reads the row's size next: it must be this bubble's, not the one the row had.
    evas_object_smart_calculate(old);
    return old;
}

Evas_Object* MVItemBubble::_fillRow(Evas_Object* genlist, Evas_Object* row) {
    elm_object_signal_emit(row, _bubbleType == BUBBLE_RECEIVED ? "bubble,receive" : "bubble,send", "");
    // The row takes its side now: the genlist lays it out and may draw it before signals are
    // otherwise handled, and a row taken over is still on its former bubble's side.
    edje_object_message_signal_process(elm_layout_edje_get(row));
    // A row realized again before its old widgets went: the new label takes over.
    _releaseLabel();
    _refreshMarkup(genlist);
    _prepareRowLabel(row);
    if (_markup.empty())
        MSG_LOGE("markupText is nullptr");
    MVBubbleSpeech::describe(*this, _markup);
    // The genlist builds rows it only lays out as well as the ones it shows: with a sizer those
    // get their height alone, and the text widget comes when the row is shown (realized()).
    if (_sizer && _measure()) {
        _applySize(row);
        return row;
    }
    _buildLabel(row);
    return row;
}

bool MVItemBubble::measureAhead(Evas_Object* obj) {
    MSG_RETV_IF(!_conv || !_sizer || !obj, false, "nothing to measure");
    _refreshMarkup(obj);
    return _measure();
}

void MVItemBubble::realized() {
    Elm_Object_Item* item = getElmObjectItem();
    Evas_Object* row = item ? elm_object_item_part_content_get(item, "elm.icon") : nullptr;
    if (row && !_label)
        _buildLabel(row);
}

void MVItemBubble::_buildLabel(Evas_Object* row) {
    _label = _createLabel(row);
    if (!_label)
        return;
    if (elm_object_part_content_get(row, LABEL_PART) != _label)
        elm_object_part_content_set(row, LABEL_PART, _label);
    if (_measure())
        _applySize(row);
}

const char* MVItemBubble::_entryStyle() const {
    return _bubbleType == BUBBLE_RECEIVED ? (_rtl ? "message/bubble/receive/rtl" : "message/bubble/receive")
                                          : (_rtl ? "message/bubble/send/rtl" : "message/bubble/send");
}

void MVItemBubble::_prepareRowLabel(Evas_Object* row) {
    Evas_Object* label = elm_object_part_content_get(row, LABEL_PART);
    if (!label)
        return;
    if (evas_object_data_get(label, OWNER_KEY)) {
        evas_object_del(elm_object_part_content_unset(row, LABEL_PART));
        return;
    }
    // The objects of the old text's items go first: emptied, the entry would keep them, unused,
    // and hand them to items of the same names in this bubble's text. A row the genlist lays out
    // again and again comes back with its widget emptied already.
    if (!evas_object_data_get(label, EMPTIED_KEY)) {
        MVBubbleContent::dropItems(label);
        elm_object_text_set(label, "");
        evas_object_data_set(label, EMPTIED_KEY, label);
    }
    // The row is measured before this bubble's text is set: the entry would hold it at the old
    // text's least size.
    evas_object_size_hint_min_set(label, 0, 0);
}

Evas_Object* MVItemBubble::_createLabel(Evas_Object* row) {
    // A read-only entry: the rich label that draws the items of the markup. Building one loads
    // its theme three times over, so the one the row already has is taken.
    Evas_Object* label = elm_object_part_content_get(row, LABEL_PART);
    bool taken = label && !evas_object_data_get(label, OWNER_KEY);
    if (!taken) {
        label = MVBubbleSizer::addEntry(row, _entryStyle());
        MSG_RETV_IF(!label, nullptr, "no entry");
        MVBubbleLook::follow(label);
    }
    // A widget of the other side or direction loads its theme once more, a third of building one:
    // only for a row shown, not for each the genlist builds to lay out and puts back.
    if (taken) {
        const char* style = elm_object_style_get(label);
        if (!style || strcmp(style, _entryStyle()) != 0)
            elm_object_style_set(label, _entryStyle());
    }
    _hookLabel(label);
    _setLabelText(label);
    // A widget taken over still looks as the other bubble left it, and keeps the least size the
    // entry worked out for its first text alone; the row's strut holds the size.
    if (taken)
        evas_object_size_hint_min_set(label, 0, 0);
    MVBubbleLook::setPressed(label, false);
    MVBubbleLook::setChecked(label, _isChecked);
    evas_object_show(label);
    return label;
}

void MVItemBubble::_hookLabel(Evas_Object* label) {
    evas_object_data_set(label, OWNER_KEY, this);
    evas_object_data_del(label, EMPTIED_KEY);
    _content.provideFor(label);
    evas_object_event_callback_add(label, EVAS_CALLBACK_DEL, _labelDelCb, this);
    elm_object_signal_callback_add(label, "elm,state,content,*", "*", _contentPressedCb, this);
    _gesture.attach(label);
    _cutLink = MCommonCutlinkMgr::getInstance()->create(label, _anchorClickedCb, this);
}

void MVItemBubble::_setLabelText(Evas_Object* label) {
    // The sender's name heads the text but is no link, whatever it looks like.
    std::string head = _markup.substr(0, _markupHeadLen);
    int result = _cutLink ? qel_cut_link_set_text(_cutLink, _markup.c_str() + head.size(), 1)
                          : QEL_CUT_LINK_ERROR_INVALID_PARAMETER;
    const char* linked = result == QEL_CUT_LINK_ERROR_NONE ? qel_cut_link_get_text(_cutLink) : nullptr;
    if (!linked) {
        MSG_LOGW("qel_cut_link_set_text() is failed. [%d]", result);
        elm_object_text_set(label, _markup.c_str());
    } else if (!head.empty()) {
        elm_object_text_set(label, (head + linked).c_str());
    }
}

bool MVItemBubble::_measure() {
    // The genlist builds a row again each time it lays it out or shows it; the size stays as
    // long as the text and its text size do.
    const char* font = nullptr;
    Evas_Font_Size fontSize = 0;
    edje_text_class_get(BODY_TEXT_CLASS, &font, &fontSize);
    int maxW = scaled(MAX_W);
    if (_measured.height > 0 && _measured.text == _markup && _measured.maxW == maxW &&
        _measured.fontSize == fontSize)
        return true;
    int width = 0, height = 0;
    bool measured = _label ? MVBubbleSizer::measureEntry(_label, width, height)
                           : _sizer && _sizer->measure(_entryStyle(), _markup, width, height);
    if (!measured)
        return false;
    _measured = {_markup, maxW, fontSize, width, height};
    return true;
}

void MVItemBubble::_applySize(Evas_Object* row) {
    if (_label)
        evas_object_resize(_label, _measured.width, _measured.height);
    // The layout works its own size out again and again, and the text widget resets its own
    // size hints as it does: a strut in the layout keeps the measured size, which the bubble
    // takes its width from.
    Evas_Object* strut = elm_object_part_content_get(row, "elm.swallow.size");
    if (!strut) {
        strut = evas_object_rectangle_add(evas_object_evas_get(row));
        evas_object_color_set(strut, 0, 0, 0, 0);
        elm_object_part_content_set(row, "elm.swallow.size", strut);
    }
    evas_object_size_hint_min_set(strut, _measured.width, _measured.height + scaled(ROW_EXTRA_H));
    evas_object_size_hint_max_set(strut, _measured.width, -1);
}

std::string MVItemBubble::_makeMarkupText(Evas_Object* measurer) {
    MVBubbleMarkup::Input input;
    input.conv = _conv.get();
    input.received = _bubbleType == BUBBLE_RECEIVED;
    input.rtl = _rtl;
    input.standalone = common_util::is_sta_enabled();
    input.showMmsLabel = !(_isMms && MCommonNumberSync::getInstance()->isSalescodeSupported());
    input.timeText = _timeText;
    input.bodyPart = _bodyPart;
    input.isGroup = _conv->isGroupChat;
    std::shared_ptr<MCommonConvAddr> convAddr;
    if (!input.isGroup && input.received &&
        MCommonAddrMgr::getInstance()->getConvAddr(_conv->threadId, convAddr) && convAddr)
        input.isGroup = convAddr->getAddrCnt() > 1;
    if (input.isGroup && input.received && !_conv->address.empty()) {
        std::shared_ptr<MCommonAddr> addr;
        std::string name;
        if (MCommonAddrMgr::getInstance()->getAddr(_conv->address.c_str(), addr) && addr)
            MCommonAddr::getDisplayName(addr, name, nullptr, nullptr);
        input.senderName = name.empty() ? _conv->address : plainText(name);
    }
    _markupHeadLen = MVBubbleMarkup::senderLine(input).size();
    return MVBubbleMarkup(measurer).make(input);
}

void MVItemBubble::_labelDelCb(void* data, Evas* /*e*/, Evas_Object* /*obj*/, void* /*eventInfo*/) {
    static_cast<MVItemBubble*>(data)->_releaseLabel();
}

void MVItemBubble::_contentPressedCb(void* data, Evas_Object* /*obj*/, const char* emission,
                                     const char* /*source*/) {
    auto* self = static_cast<MVItemBubble*>(data);
    self->_isContentPressed = emission && strcmp(emission, "elm,state,content,pressed") == 0;
}

void MVItemBubble::_anchorClickedCb(void* data, Evas_Object* /*obj*/, void* eventInfo) {
    auto* info = static_cast<Elm_Entry_Anchor_Info*>(eventInfo);
    MSG_RET_IF(!info || !info->name, "anchor info is nullptr");
    auto* self = static_cast<MVItemBubble*>(data);
    // In select mode a tap on a link checks the bubble instead.
    if (self->_viewType == VIEW_TYPE_NORMAL && self->_actions)
        self->_actions->openLink(*self, info->name);
}

} // namespace msg_viewer
} // namespace msg_app
