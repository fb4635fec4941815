#include "compose/send/MCSendFlow.h"

#include "common/CommonUtil.h"
#include "common/MsgLog.h"
#include "common/popup/MCommonPopup.h"
#include "common/popup/MCommonProgressPopup.h"
#include "compose/MCUtil.h"
#include "compose/launch/MCAppControlParser.h"
#include "compose/send/MCOutgoingMgr.h"
#include "compose/send/MCPopup.h"
#include "compose/send/MCSendMgr.h"
#include "msg_store/MessageManager.h"
#include "zeq_feature.h"

namespace msg_app {
namespace compose {

namespace {

bool reducedLimit() {
    return zeq_feature_get_bool(MCAppControlParser::FEATURE_REDUCED_SMS_LIMIT);
}

bool isAccepted(int result) {
    return result == MCSendMgr::SEND_OK || result == MCSendMgr::SEND_DEVICE_NOT_ATTACHED;
}

} // namespace

MCSendFlow::MCSendFlow(view_kit::WViewController* host, std::shared_ptr<MCMsgData> msg,
                       AppControlType appControlType, OnEnd onEnd)
    : _host(host), _msg(std::move(msg)), _appControlType(appControlType), _onEnd(std::move(onEnd)),
      _alive(std::make_shared<MCSendFlow*>(this)) {}

MCSendFlow::~MCSendFlow() {
    _alive.reset();
    _forgetQuestion();
    _subscription.clear();
    view_kit::WTimer::destroy(_resultTimer);
    view_kit::WTimer::destroy(_retailTimer);
}

std::function<void()> MCSendFlow::_guard(std::function<void(MCSendFlow&)> fn) const {
    std::weak_ptr<MCSendFlow*> alive = _alive;
    return [alive, fn] {
        if (auto flow = alive.lock())
            fn(**flow);
    };
}

bool MCSendFlow::subscribe() {
    if (!_subscription.empty())
        return true;
    return _subscription.add(msg_store::EVENT_TYPE_STORAGE_CHANGE, [this](const char* payload) {
        MCUtil::storageChangeCb(payload, _msg, _resultTimer, _retailTimer, _sendingPopup);
    });
}

void MCSendFlow::send() {
    MSG_RET_IF(!_msg, "_msgSptr is nullptr");
    if (_state != IDLE) {
        MSG_LOGW("a send is under way or done (%d): nothing is sent again", _state);
        return;
    }
    _text = _msg->body;
    _textOnly =
        _msg->attachPath.empty() && _msg->fileType != FILE_TYPE_IMAGE && _msg->fileType != FILE_TYPE_AUDIO;
    _groupMms = _msg->recipient.size() > 1 && _msg->msgType == MSG_TYPE_MMS;
    _pages.clear();
    _nextPage = 0;
    _heldByWatch = false;
    int smsPages = 0;
    int mmsPages = 0;
    if (_textOnly)
        MCUtil::getMmsSizeTextList(_text, &smsPages, &mmsPages, reducedLimit(), &_pages);
    if (_pages.empty())
        _pages.push_back(_text);
    _setPage(0);
    if (_pages.size() > 1)
        _askPages(smsPages, mmsPages);
    else
        _checkNetworkAndSend();
}

// Each page is a message of its own: an MMS page within the MMS text limit, the last one an SMS
// when the rest fits in one.
void MCSendFlow::_setPage(size_t index) {
    _msg->body = _pages[index];
    if (!_textOnly)
        return;
    std::string page = _pages[index];
    bool overSms =
        !page.empty() && MCUtil::isTextOverSmsLimit(&page[0], nullptr, nullptr, nullptr, reducedLimit());
    _msg->msgType = overSms || _groupMms ? MSG_TYPE_MMS : MSG_TYPE_SMS;
    _msg->fileType = _msg->msgType == MSG_TYPE_MMS ? FILE_TYPE_TEXT : FILE_TYPE_NONE;
}

std::string MCSendFlow::_unsentText() const {
    std::string rest;
    for (size_t i = _nextPage; i < _pages.size(); ++i)
        rest += _pages[i];
    return rest;
}

void MCSendFlow::_askPages(int smsPages, int mmsPages) {
    std::string question;
    MCUtil::getSmsPageOverPopupText(question, smsPages > 0, mmsPages);
    std::function<void()> onOk = _guard([](MCSendFlow& flow) { flow._checkNetworkAndSend(); });
    MCommonPopup* popup = MCommonPopup::createOkCancelPopup(
        nullptr, question.c_str(),
        [onOk](void*, bool* destroyPopup) {
            *destroyPopup = true;
            onOk();
        },
        [](void*, bool* destroyPopup) { *destroyPopup = true; }, nullptr, nullptr, nullptr);
    _state = ASKING;
    if (!_attachQuestion(popup))
        _fail(nullptr);
}

void MCSendFlow::_checkNetworkAndSend() {
    _forgetQuestion();
    _state = SENDING;
    // Before anything is stored: the store may answer at once.
    if (!_msg->hideSendingPopup)
        subscribe();
    std::string address = _msg->recipient.empty() ? std::string() : _msg->recipient.front();
    MCOutgoingMgr* outgoing = MCOutgoingMgr::getInstance();
    MCOutgoingMgr::Error error =
        outgoing->checkNetworkAvailable(_msg->msgType, address, _msg->msgId > 0 ? _msg->msgId : 0);
    if (error == MCOutgoingMgr::ERROR_NONE) {
        _sendPages();
        return;
    }
    MSG_LOGE("checkNetworkAvailable is failed. outgoingErr : %d", error);
    // Without a radio of its own the watch has asked for the phone's connection already.
    if (!common_util::is_sta_enabled()) {
        _fail(nullptr);
        return;
    }
    // Accepting a switch sends the first page by the other road; the rest follow from here.
    std::function<void()> afterSwitch = _guard([](MCSendFlow& flow) {
        flow._forgetQuestion();
        flow._state = SENDING;
        if (flow._accepted(MCSendMgr::getInstance()->getLastResult()))
            flow._sendPages();
    });
    // The popups are told the flow decides what follows: they never end the process themselves.
    MCommonPopup* popup =
        outgoing->createOutgoingErrorPopup(error, APP_CONTROL_IN_APP, _msg, afterSwitch, nullptr, nullptr);
    _state = ASKING;
    if (!_attachQuestion(popup))
        _fail(COULDNT_SEND_ID);
}

void MCSendFlow::_sendPages() {
    MCSendMgr* sender = MCSendMgr::getInstance();
    while (_nextPage < _pages.size()) {
        _setPage(_nextPage);
        if (!_accepted(sender->sendMessageByType(MCOutgoingMgr::getInstance()->getSendBy(), _msg, nullptr)))
            return;
    }
    _onAllSent();
}

bool MCSendFlow::_accepted(int result) {
    if (!isAccepted(result)) {
        MSG_LOGE("_sendMessage() is error. [%d][0:NULL, 1:PHONE, 2:HULM, 3:MDM, 4:NETWORK]", result);
        _fail(COULDNT_SEND_ID);
        return false;
    }
    _heldByWatch = _heldByWatch || result == MCSendMgr::SEND_DEVICE_NOT_ATTACHED;
    _replaceFailedCopy();
    ++_nextPage;
    return true;
}

// The message sent again takes the place of the copy that failed: one message, not two.
void MCSendFlow::_replaceFailedCopy() {
    if (_failedMsgId <= 0)
        return;
    int ret = _store.messages.deleteMessage(_failedMsgId);
    if (ret != msg_store::MSG_STORE_SUCCESS)
        MSG_LOGE("the failed message %d cannot be removed (%d)", _failedMsgId, ret);
    else
        MSG_LOGI("the failed message %d is replaced by the one sent again", _failedMsgId);
    _failedMsgId = 0;
}

void MCSendFlow::_onAllSent() {
    if (_heldByWatch) {
        // The watch keeps the message and sends it when service returns: it is on its way.
        _state = DONE;
        _showToast(WILL_BE_SENT_ID, Result::SENT);
        return;
    }
    _showSendingPopup();
}

void MCSendFlow::_showSendingPopup() {
    if (_msg->hideSendingPopup) {
        MSG_LOGI("sendingPopup::HIDE [msg-send or msg-compose] process elm_exit()");
        _state = DONE;
        _end(Result::SENT);
        return;
    }
    _state = SENDING;
    MCommonProgressPopup* popup = MCPopup::createSendingPopup(
        _resultTimer, _appControlType, _guard([](MCSendFlow& flow) { flow._onSendingPopupGone(); }));
    if (!popup || !_host->attachPopup(popup)) {
        MSG_LOGE("sendingPopup is nullptr");
        _state = DONE;
        _end(Result::SENT);
        return;
    }
    if (auto shown = popup->getWeakPtr().lock())
        _sendingPopup = std::static_pointer_cast<MCommonProgressPopup>(shown);
}

bool MCSendFlow::_lastSendFailed() {
    if (_msg->sentMsgId <= 0)
        return false;
    msg_store::Message stored;
    if (_store.messages.getMessage(_msg->sentMsgId, stored) != msg_store::MSG_STORE_SUCCESS)
        return false;
    return msg_store::isSendFailure(stored.networkStatus);
}

void MCSendFlow::_onSendingPopupGone() {
    if (!_lastSendFailed()) {
        _state = DONE;
        _end(Result::SENT);
        return;
    }
    // The failed message stays in the conversation until the text is sent again.
    MSG_LOGI("the message %d failed; the text stays for another try", _msg->sentMsgId);
    _failedMsgId = _msg->sentMsgId;
    _msg->sentMsgId = 0;
    _msg->pendingMsgId = 0;
    _msg->body = _pages.back();
    _state = IDLE;
    _end(Result::FAILED);
}

void MCSendFlow::_fail(const char* toastId) {
    _forgetQuestion();
    _msg->body = _unsentText();
    _msg->sentMsgId = 0;
    _msg->pendingMsgId = 0;
    if (!toastId) {
        _state = IDLE;
        _end(Result::FAILED);
        return;
    }
    _state = TELLING;
    _showToast(toastId, Result::FAILED);
}

void MCSendFlow::_showToast(const char* textId, Result result) {
    std::function<void()> told = _guard([result](MCSendFlow& flow) {
        if (flow._state == TELLING)
            flow._state = IDLE;
        flow._end(result);
    });
    MCommonPopup* toast = MCommonPopup::createToastPopup(
        textId, [told](void*, const Evas_Object*) { told(); }, nullptr);
    if (!_host->attachPopup(toast)) {
        MSG_LOGE("toast %s cannot be shown", textId);
        told();
    }
}

void MCSendFlow::_end(Result result) {
    // The host may let the flow go when it hears the end.
    OnEnd onEnd = _onEnd;
    if (onEnd)
        onEnd(result);
}

bool MCSendFlow::_attachQuestion(view_kit::WViewController* popup) {
    if (!popup || !_host->attachPopup(popup)) {
        MSG_LOGE("the question cannot be shown");
        return false;
    }
    _question = popup->getEvasObject();
    evas_object_event_callback_add(_question, EVAS_CALLBACK_DEL, _questionGoneCb, this);
    return true;
}

void MCSendFlow::_forgetQuestion() {
    if (!_question)
        return;
    evas_object_event_callback_del_full(_question, EVAS_CALLBACK_DEL, _questionGoneCb, this);
    _question = nullptr;
}

// A question closed without an answer that goes on: refused, backed out of, or told and closed.
void MCSendFlow::_questionGoneCb(void* data, Evas*, Evas_Object*, void*) {
    auto* self = static_cast<MCSendFlow*>(data);
    self->_question = nullptr;
    if (self->_state != ASKING)
        return;
    self->_msg->body = self->_text;
    self->_state = IDLE;
    self->_end(Result::FAILED);
}

} // namespace compose
} // namespace msg_app
