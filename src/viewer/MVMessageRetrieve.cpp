#include "viewer/MVMessageRetrieve.h"

#include "common/CommonUtil.h"
#include "common/MCommonMsgSvc.h"
#include "common/MCommonNumberSync.h"
#include "common/MCommonTapi.h"
#include "common/MsgLog.h"
#include "common/popup/MCommonPopup.h"
#include "msg_store/msg_store_nms.h"
#include "vconf.h"
#include "view_kit/WViewController.h"
#include "viewer/MVItem/MVBubbleMarkup.h"
#include "zeq_feature.h"

#include "msg.h"

namespace msg_app {
namespace msg_viewer {

namespace {

// The carrier's switch that lets an MMS be fetched whatever the mobile-data setting.
constexpr int NET_MMS_CONNECT_FORCE = 17;
constexpr int NUMBER_SYNC_ACTIVE = 0;
constexpr const char* COULDNT_VIEW = "WDS_MSG_TPOP_COULDNT_VIEW_MMS_ABB";
constexpr const char* TURN_ON_DATA = "WDS_MSG_TPOP_TURN_ON_MOBILE_DATA_TO_VIEW_MMS_ABB";

bool retrieveByWatch(int itemId) {
    MCommonTapi* tapi = MCommonTapi::getInstance();
    if (tapi->isGrayZone() && !tapi->setModemOn())
        MSG_LOGE("failed to turn ON the modem in gray zone.");
    msg_struct_t msg = nullptr, mms = nullptr, sendOpt = nullptr;
    MCommonMsgSvc* svc = MCommonMsgSvc::getInstance();
    bool ok = svc->getMmsData(itemId, &msg, &mms, &sendOpt);
    if (!ok)
        MSG_LOGE("getMmsData() is failed.");
    else if (!(ok = svc->retrieveMsg(msg, sendOpt)))
        MSG_LOGE("retrieveMsg() is failed.");
    for (msg_struct_t* handle : {&msg, &mms, &sendOpt}) {
        if (*handle)
            msg_release_struct(handle);
    }
    return ok;
}

bool mobileDataOn() {
    if (zeq_feature_get_bool(NET_MMS_CONNECT_FORCE)) {
        MSG_LOGW("NET_MMS_CONNECT_FORCE ZEQ is ON (MMS can be retrieved regardless of mobile data setting.)");
        return true;
    }
    int mobileData = 0;
    return vconf_get_bool("db/setting/3gEnabled", &mobileData) == 0 && mobileData;
}

} // namespace

void MVMessageRetrieve::_toast(const char* textId) {
    MCommonPopup* popup = MCommonPopup::createToastPopup(textId, nullptr, nullptr);
    if (popup)
        _host.attachPopup(popup);
}

void MVMessageRetrieve::ask(std::function<std::shared_ptr<msg_store::Conversation>()> current) {
    MCommonPopup* popup = MCommonPopup::createOkCancelPopup(
        nullptr, "WDS_MSG_POP_VIEW_MMS_Q",
        [this, current](void*, bool* destroy) {
            *destroy = true;
            if (std::shared_ptr<msg_store::Conversation> conv = current())
                _retrieve(*conv);
        },
        [](void*, bool* destroy) { *destroy = true; }, nullptr, nullptr, nullptr);
    if (popup)
        _host.attachPopup(popup);
}

void MVMessageRetrieve::_retrieve(const msg_store::Conversation& conv) {
    if (!MCommonTapi::getInstance()->isMMSRoamingAvailable()) {
        _toast("WDS_MSG_TPOP_TURN_ON_DATA_ROAMING_TO_VIEW_MMS_ABB");
        return;
    }
    if (!mobileDataOn()) {
        _toast(TURN_ON_DATA);
        return;
    }
    int type = MVBubbleMarkup::getRetrieveType(conv, common_util::is_sta_enabled());
    if (type == MVBubbleMarkup::RETRIEVE_BY_WATCH) {
        if (!retrieveByWatch(conv.itemId))
            _toast(COULDNT_VIEW);
    } else if (type == MVBubbleMarkup::RETRIEVE_BY_PHONE) {
        _retrieveByPhone(conv.msgId);
    } else {
        MSG_LOGE("Unknown retrieve type : %d", type);
        _toast(COULDNT_VIEW);
    }
}

void MVMessageRetrieve::_retrieveByPhone(int msgId) {
    MCommonTapi::ModemState modem = MCommonTapi::MODEM_STATE_ON;
    int syncStatus = NUMBER_SYNC_ACTIVE;
    if (MCommonTapi::getInstance()->getModemState(&modem) && modem == MCommonTapi::MODEM_STATE_LOW) {
        _toast(TURN_ON_DATA);
    } else if (!MCommonNumberSync::getInstance()->getStatus(&syncStatus) ||
               syncStatus == NUMBER_SYNC_ACTIVE) {
        int err = msg_store_nms_download_mms(msgId);
        if (err != 0) {
            MSG_LOGE("downloadMms() is failed. [%d]", err);
            _toast(COULDNT_VIEW);
        }
    } else {
        _toast("WDS_MSG_TPOP_UNABLE_TO_RETRIEVE_MESSAGE_NUMBERSYNC_DISABLED_ABB");
        MSG_LOGE("merrowin status : [%d]", syncStatus);
    }
}

} // namespace msg_viewer
} // namespace msg_app
