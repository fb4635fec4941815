// Fetching an MMS whose body is not on the watch yet: asked first, then requested from the
// watch's own messaging service or from the phone's network message service.
#include "viewer/MVItem/MVItemBubble.h"

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

void toast(view_kit::WViewController* vc, const char* textId) {
    MCommonPopup* popup = MCommonPopup::createToastPopup(textId, nullptr, nullptr);
    if (popup && vc)
        vc->attachPopup(popup);
}

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

} // namespace

void MVItemBubble::_showRetrievePopup() {
    std::shared_ptr<view_kit::WViewController> vc = getParentViewController();
    MSG_RET_IF(!vc, "no view to show the popup on");
    std::weak_ptr<ResendState> alive = _resendState;
    MCommonPopup* popup = MCommonPopup::createOkCancelPopup(
        nullptr, "WDS_MSG_POP_VIEW_MMS_Q",
        [this, alive](void*, bool* destroy) {
            *destroy = true;
            if (!alive.expired())
                _retrieve();
        },
        [](void*, bool* destroy) { *destroy = true; }, nullptr, nullptr, nullptr);
    if (popup)
        vc->attachPopup(popup);
}

void MVItemBubble::_retrieve() {
    view_kit::WViewController* vc = getParentViewController().get();
    if (!MCommonTapi::getInstance()->isMMSRoamingAvailable()) {
        toast(vc, "WDS_MSG_TPOP_TURN_ON_DATA_ROAMING_TO_VIEW_MMS_ABB");
        return;
    }
    if (zeq_feature_get_bool(NET_MMS_CONNECT_FORCE)) {
        MSG_LOGW("NET_MMS_CONNECT_FORCE ZEQ is ON (MMS can be retrieved regardless of mobile data setting.)");
    } else {
        int mobileData = 0;
        if (vconf_get_bool("db/setting/3gEnabled", &mobileData) != 0 || !mobileData) {
            toast(vc, "WDS_MSG_TPOP_TURN_ON_MOBILE_DATA_TO_VIEW_MMS_ABB");
            return;
        }
    }
    int type = MVBubbleMarkup::getRetrieveType(*_conv, common_util::is_sta_enabled());
    if (type == MVBubbleMarkup::RETRIEVE_BY_WATCH) {
        if (!retrieveByWatch(_conv->itemId))
            toast(vc, "WDS_MSG_TPOP_COULDNT_VIEW_MMS_ABB");
    } else if (type == MVBubbleMarkup::RETRIEVE_BY_PHONE) {
        MCommonTapi::ModemState modem = MCommonTapi::MODEM_STATE_ON;
        int syncStatus = NUMBER_SYNC_ACTIVE;
        if (MCommonTapi::getInstance()->getModemState(&modem) && modem == MCommonTapi::MODEM_STATE_LOW) {
            toast(vc, "WDS_MSG_TPOP_TURN_ON_MOBILE_DATA_TO_VIEW_MMS_ABB");
        } else if (!MCommonNumberSync::getInstance()->getStatus(&syncStatus) ||
                   syncStatus == NUMBER_SYNC_ACTIVE) {
            int err = msg_store_nms_download_mms(getMsgId());
            if (err != 0) {
                MSG_LOGE("downloadMms() is failed. [%d]", err);
                toast(vc, "WDS_MSG_TPOP_COULDNT_VIEW_MMS_ABB");
            }
        } else {
            toast(vc, "WDS_MSG_TPOP_UNABLE_TO_RETRIEVE_MESSAGE_NUMBERSYNC_DISABLED_ABB");
            MSG_LOGE("merrowin status : [%d]", syncStatus);
        }
    } else {
        MSG_LOGE("Unknown retrieve type : %d", type);
        toast(vc, "WDS_MSG_TPOP_COULDNT_VIEW_MMS_ABB");
    }
}

} // namespace msg_viewer
} // namespace msg_app
