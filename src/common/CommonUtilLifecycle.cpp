#include "common/CommonUtilLifecycle.h"
#include "common/CommonUtilDevice.h"

#include "common/DazoLog.h"
#include "common/FormattedNumber.h"
#include "common/MCommonAppEventMgr.h"
#include "common/MCommonAppLaunchMgr.h"
#include "common/MCommonMsgSvc.h"
#include "common/MCommonNumberSync.h"
#include "common/MCommonTapi.h"
#include "common/MsgLog.h"
#include "common/Preference.h"
#include "common/SingletonRelease.h"
#include "common/addr/MCommonAddrMgr.h"
#include "common/ui/MCommonI18n.h"
#include "common/ui/MCommonTheme.h"
#include "feedback.h"
#include "msg_store/ConnectionManager.h"
#include "msg_store/MsgStoreTypes.h"
#include "preference.h"

namespace msg_app {
namespace common_util {

namespace {

void consumerStatusChangedCb(const char* key, void*) {
    int status = 0;
    if (!preference::get(key, &status))
        return;
    if (status == 0) {
        msg_store::ConnectionManager::disconnect();
        return;
    }
    MSG_LOGI("** MSG STORE IS READY **");
    if (msg_store::ConnectionManager::connect() == msg_store::MSG_STORE_SUCCESS)
        MCommonAppEventMgr::getInstance()->emit(APP_EVENT_MSG_STORE_READY);
    else
        MSG_LOGE("msg_store_connect is failed");
}

} // namespace

void connect_msg_store() {
    if (msg_store::ConnectionManager::connect() != msg_store::MSG_STORE_SUCCESS)
        MSG_LOGE("msg_store_connect is failed");
    if (preference_set_changed_cb(msg_store::PREF_INT_CONSUMER_STATUS, consumerStatusChangedCb, nullptr) !=
        PREFERENCE_ERROR_NONE)
        MSG_LOGE("Fail to register preference with [%s]", msg_store::PREF_INT_CONSUMER_STATUS);
}

void on_terminate() {
    if (is_sta_enabled()) {
        MCommonMsgSvc::release();
        MCommonTapi::getInstance()->release();
    }
    MCommonAppLaunchMgr::getInstance()->destroyHandle();
    MCommonAddrMgr::release();
    MCommonNumberSync::getInstance()->release();
    MCommonI18n::release();
    MCommonTheme::getInstance()->deinit();
    msg_store::ConnectionManager::disconnect();
    if (preference_unset_changed_cb(msg_store::PREF_INT_CONSUMER_STATUS) != PREFERENCE_ERROR_NONE)
        MSG_LOGE("preference_unset_changed_cb(%s) fail", msg_store::PREF_INT_CONSUMER_STATUS);
    formatted_number::deinit();
    dazo_log::deinit();
    int ret = feedback_deinitialize();
    if (ret != FEEDBACK_ERROR_NONE)
        MSG_LOGE("feedback_deinitialize error : %d", ret);
    // The other services go now, newest first, while the toolkit still runs.
    singleton_release::run_all();
}

void set_debug_tag(const char* tag) {
    log::setTag(tag);
}

} // namespace common_util
} // namespace msg_app
