#include "compose/send/MCPopup.h"

#include "common/CommonUtil.h"
#include "common/Connectivity.h"
#include "common/MCommonTapi.h"
#include "common/MsgLog.h"
#include "common/Preference.h"
#include "common/popup/MCommonPopup.h"
#include "common/popup/MCommonProgressPopup.h"
#include "compose/send/MCRejectCauseText.h"
#include "compose/send/MCSendMgr.h"

#include <Elementary.h>

namespace msg_app {
namespace compose {

namespace {

constexpr const char* COULDNT_SEND = "WDS_MSG_TPOP_COULDNT_SEND_MESSAGE_ABB";

void closePopup(const std::weak_ptr<view_kit::WViewController>& weak) {
    if (auto popup = weak.lock())
        popup->destroy();
}

} // namespace

void MCPopup::_exitProcess(const char* reason, int appControlType) {
    // Only a composer's own process ends with its popup, never the messaging application.
    if (appControlType == APP_CONTROL_IN_APP)
        return;
    MSG_LOGI("%s", reason);
    elm_exit();
}

MCommonProgressPopup* MCPopup::createSendingPopup(std::weak_ptr<view_kit::WTimer>& timer, int appControlType,
                                                  std::function<void()> onDestroy) {
    MCommonProgressPopup* popup = MCommonProgressPopup::createPopup(
        MCommonProgressPopup::SENDING, SENDING_TEXT,
        [appControlType, onDestroy](void*) {
            preference::set(SENDING_MESSAGE_ID_PREF, 0);
            if (onDestroy)
                onDestroy();
            if (appControlType != APP_CONTROL_COMPOSE)
                _exitProcess("sendingPopup destroy cb : msg-send process elm_exit()", appControlType);
        },
        nullptr, nullptr);
    MSG_RETV_IF(!popup, nullptr, "popup is nullptr");
    std::weak_ptr<view_kit::WViewController> weak = popup->getWeakPtr();
    // A phone that never answers must not leave the popup, and the process, up for ever; the message
    // stays in the outbox and the store still reports its end.
    timer = view_kit::WTimer::addTimer(
        SENDING_TIMEOUT,
        [weak](void*) {
            MSG_LOGI("onTimeOutCb : sendingPopupTimer");
            closePopup(weak);
            return false;
        },
        nullptr);
    return popup;
}

const char* MCPopup::getStatusText(msg_store::NetworkStatus status) {
    switch (status) {
    case msg_store::NETWORK_STATUS_SEND_SUCCESS:
        return SENT_TEXT;
    case msg_store::NETWORK_STATUS_SEND_TIMEOUT:
        return "IDS_MSGF_POP_FDN_ENABLED_CANT_SEND_MSG";
    case msg_store::NETWORK_STATUS_SEND_FAIL_MANDATORY_INFO:
        return "Unknown destination";
    case msg_store::NETWORK_STATUS_SEND_FAIL_BY_MO_CONTROL:
        return "Network not ready";
    case msg_store::NETWORK_STATUS_SEND_FAIL_FDN:
        return "IDS_MSGC_POP_INVALID_DESTINATION_ADDRESS_VZW";
    case msg_store::NETWORK_STATUS_SEND_FAIL_NETWORK:
        return "IDS_MSG_POP_SERVICE_NOT_ACTIVATED_ON_NETWORK_VZW";
    default:
        return COULDNT_SEND;
    }
}

void MCPopup::updateSendingPopup(MCommonProgressPopup* popup, msg_store::NetworkStatus status) {
    MSG_RET_IF(!popup || !popup->getEvasObject(), "popup is nullptr");
    Evas_Object* layout = elm_object_content_get(popup->getEvasObject());
    MSG_RET_IF(!layout, "layout is nullptr");
    Evas_Object* progress = elm_object_part_content_unset(layout, "swallow.progress");
    MSG_RET_IF(!progress, "progress is nullptr");
    evas_object_hide(progress);
    evas_object_del(progress);
    bool sent = status == msg_store::NETWORK_STATUS_SEND_SUCCESS;
    elm_object_signal_emit(layout, sent ? "show,check" : "show,fail", "");
    // Status texts are string ids or plain words; either way they are set as text, never formatted.
    elm_object_domain_translatable_part_text_set(layout, "text", "message", getStatusText(status));
    bool reader = common_util::is_screen_reader_enabled();
    std::weak_ptr<view_kit::WViewController> weak = popup->getWeakPtr();
    view_kit::WTimer::addTimer(
        reader ? RESULT_TIME_SCREEN_READER : RESULT_TIME,
        [weak](void*) {
            closePopup(weak);
            return false;
        },
        nullptr);
}

MCommonPopup* MCPopup::createNetworkSwithPopup(MCOutgoingMgr::Error error, int appControlType,
                                               const std::shared_ptr<MCMsgData>& msg,
                                               const std::function<void()>& sendingPopupCb,
                                               std::function<void()> onAccept,
                                               std::function<void()> onCancel) {
    MSG_RETV_IF(!msg, nullptr, "msgSptr is nullptr");
    bool toPhone = error == MCOutgoingMgr::ERROR_SWITCH_TO_PHONE;
    const char* text = toPhone
                           ? "WDS_MSG_POP_HULM_NUMBER_NOT_AVAILABLE_CHANGE_OUTGOING_NUMBER_TO_PHONE_NUMBER_Q"
                           : "WDS_MSG_POP_PHONE_NUMBER_NOT_AVAILABLE_CHANGE_OUTGOING_NUMBER_TO_HULM_NUMBER_Q";
    auto accept = [toPhone, msg, sendingPopupCb, onAccept](void*, bool* destroyPopup) {
        *destroyPopup = true;
        MCOutgoingMgr::getInstance()->setSendBy(toPhone ? SendBy::PHONE : SendBy::HULM);
        if (msg->sentMsgId <= 0) {
            int sendErr = MCSendMgr::getInstance()->sendMessageByType(
                MCOutgoingMgr::getInstance()->getSendBy(), msg, nullptr);
            if (sendErr != MCSendMgr::SEND_OK)
                MSG_LOGE("sendMessageByType is error. sendErr : %d", sendErr);
        }
        if (sendingPopupCb)
            sendingPopupCb();
        if (onAccept)
            onAccept();
    };
    auto cancel = [appControlType, onCancel](void*, bool* destroyPopup) {
        *destroyPopup = true;
        if (onCancel)
            onCancel();
        _exitProcess("network switch declined: process elm_exit()", appControlType);
    };
    MCommonPopup* popup =
        MCommonPopup::createOkCancelPopup(nullptr, text, accept, cancel, cancel, nullptr, nullptr);
    MSG_RETV_IF(!popup, nullptr, "popup is nullptr");
    return popup;
}

MCommonPopup* MCPopup::_createNoticePopup(const char* text, int appControlType) {
    auto close = [](void*, bool* destroyPopup) { *destroyPopup = true; };
    auto onGone = [appControlType](void*, const Evas_Object*) {
        _exitProcess("[msg-send or msg-compose] process elm_exit()", appControlType);
    };
    // The text is a string id or a text already translated and in markup; it is never a format.
    MCommonPopup* popup =
        MCommonPopup::createOkCancelPopup(nullptr, text, close, nullptr, close, onGone, nullptr);
    MSG_RETV_IF(!popup, nullptr, "popup is nullptr");
    return popup;
}

const char* MCPopup::getNetworkNotAvailableText(const MCMsgData& msg) {
    MCommonTapi* tapi = MCommonTapi::getInstance();
    if (msg.msgType == MSG_TYPE_MMS && MCOutgoingMgr::getInstance()->getSendBy() != SendBy::PHONE &&
        !tapi->isMMSRoamingAvailable())
        return "WDS_MSG_POP_TURN_ON_DATA_ROAMING_TO_SEND_MMS_Q";
    if (!tapi->isModemOn()) {
        if (common_util::is_power_saving_mode())
            return "WDS_MSG_POP_UNABLE_TO_SEND_MESSAGE_MOBILE_DATA_OFF";
        return connectivity::get_connected_vendor() == connectivity::VENDOR_OTHER_LO
                   ? "WDS_MSG_POP_CANT_SEND_MESSAGE_CHANGE_MOBILE_NETWORKS_TO_ALWAYS_ON_Q"
                   : "WDS_MSG_POP_CANT_SEND_MESSAGE_CHANGE_MOBILE_NETWORK_SETTINGS_Q";
    }
    return "WDS_MSG_TPOP_UNABLE_TO_SEND_MESSAGE_ABB";
}

MCommonPopup* MCPopup::createNetworkNotAvailablePopup(int appControlType,
                                                      const std::shared_ptr<MCMsgData>& msg) {
    MSG_RETV_IF(!msg, nullptr, "msgSptr is nullptr");
    return _createNoticePopup(getNetworkNotAvailableText(*msg), appControlType);
}

void MCPopup::getRejectCauseText(int rejectCause, int msgType, std::string& out) {
    std::string code;
    common_util::get_sales_code(code);
    MSG_LOGD("msgType : %d, rejectCause : %d, opCode : %s", msgType, rejectCause, code.c_str());
    std::string mcc;
    MCommonTapi::getInstance()->getMcc(mcc);
    bool domestic = (mcc.empty() || mcc == "450") && !MCommonTapi::getInstance()->isRoaming();
    std::string text =
        MCRejectCauseText::compose(MCRejectCauseText::tableOf(code, domestic), rejectCause, msgType);
    char* markup = elm_entry_utf8_to_markup(text.c_str());
    if (markup)
        out += markup;
    free(markup);
}

MCommonPopup* MCPopup::createHulmNetworkRejectPopup(int appControlType, int& rejectCause,
                                                    const std::shared_ptr<MCMsgData>& msg) {
    MSG_RETV_IF(!msg, nullptr, "msgSptr is nullptr");
    std::string markup;
    getRejectCauseText(rejectCause, msg->msgType, markup);
    return _createNoticePopup(markup.c_str(), appControlType);
}

MCommonPopup* MCPopup::createHulmSKTSimNotActivatedPopup(int appControlType) {
    return _createNoticePopup(
        "IDS_PROV_POP_PHONE_ACTIVATION_REQUIRED_N_CONTACT_YOUR_CUSTOMER_CENTRE_OR_LOCAL_DEALER_KOR",
        appControlType);
}

} // namespace compose
} // namespace msg_app
