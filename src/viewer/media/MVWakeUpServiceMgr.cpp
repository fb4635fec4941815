#include "viewer/media/MVWakeUpServiceMgr.h"

#include "app_control.h"
#include "common/AppIds.h"
#include "common/CommonUiHelper.h"
#include "common/LaunchRequest.h"
#include "common/MsgLog.h"
#include "common/SingletonRelease.h"
#include "common/addr/MCommonAddr.h"
#include "common/addr/MCommonAddrMgr.h"
#include "common/addr/MCommonConvAddr.h"
#include "message_port.h"

#include <memory>
#include <string>

namespace msg_app {
namespace msg_viewer {

namespace {

constexpr const char* LOCAL_PORT = "Voice Wakeup Notification";
constexpr const char* RESPONSE_PORT = "voice-context-response-port";

MVWakeUpServiceMgr* g_instance = nullptr;

} // namespace

MVWakeUpServiceMgr* MVWakeUpServiceMgr::getInstance() {
    if (!g_instance) {
        g_instance = new MVWakeUpServiceMgr();
        singleton_release::add(_destroy);
    }
    return g_instance;
}

void MVWakeUpServiceMgr::_destroy() {
    delete g_instance;
    g_instance = nullptr;
}

void MVWakeUpServiceMgr::init(int threadId, bool supportReply) {
    _threadId = threadId;
    _supportReply = supportReply;
}

bool MVWakeUpServiceMgr::_sendRequest(const char* requestType) {
    LaunchRequest request = createLaunchRequest();
    MSG_RETV_IF(!request, false, "failed to create app_control");
    bool ok = false;
    if (app_control_set_app_id(request.get(), app_id::WAKE_UP_SERVICE) != APP_CONTROL_ERROR_NONE) {
        MSG_LOGE("failed to set app id");
    } else {
        app_control_add_extra_data(request.get(), "req_type", requestType);
        app_control_add_extra_data(request.get(), "wakeup_noti_msg_port_name", LOCAL_PORT);
        ok = app_control_send_launch_request(
                 request.get(),
                 [](app_control_h, app_control_h, app_control_result_e result, void*) {
                     MSG_LOGI("result:%d", result);
                 },
                 nullptr) == APP_CONTROL_ERROR_NONE;
        if (!ok)
            MSG_LOGE("failed to request launch");
    }
    return ok;
}

bool MVWakeUpServiceMgr::regist() {
    int portId = message_port_register_local_port(LOCAL_PORT, _messagePortCb, this);
    if (portId < 0) {
        MSG_LOGE("Failed to create message port for wakeup service (%d)", portId);
        return false;
    }
    _portId = portId;
    if (!_sendRequest("register")) {
        message_port_unregister_local_port(_portId);
        _portId = 0;
        return false;
    }
    return true;
}

void MVWakeUpServiceMgr::unregist() {
    // A port id of 0 is what an earlier unregistration left: nothing is registered then either.
    MSG_RET_IF(_portId <= 0, "voice wakeup service is not activated");
    _sendRequest("unregister");
    int result = message_port_unregister_local_port(_portId);
    if (result < 0)
        MSG_LOGE("Failed to unregister message port for wakeup service (%d)", result);
    _portId = 0;
    MSG_LOGI("voice wakeup service is unregistered");
}

void MVWakeUpServiceMgr::_answer() {
    bundle* response = bundle_create();
    MSG_RET_IF(!response, "bundle_create failed");
    if (!_supportReply) {
        MSG_LOGI("reply is not available.");
        bundle_add_str(response, "context", "none");
    } else {
        bundle_add_str(response, "context", "msg");
        std::shared_ptr<MCommonConvAddr> convAddr;
        std::shared_ptr<MCommonAddr> first;
        // Without the addresses the answer still says a reply is possible, and names nobody.
        if (!MCommonAddrMgr::getInstance()->getConvAddr(_threadId, convAddr) || !convAddr)
            MSG_LOGE("getConvAddr failed");
        else
            first = convAddr->getNthAddr(0);
        if (first) {
            int contactId = first->getContactId();
            if (contactId > 0) {
                std::string name;
                first->getContactName(name);
                bundle_add_str(response, "contact_id", std::to_string(contactId).c_str());
                // The service shows the name: as every screen here, it gets it safe to lay out.
                bundle_add_str(response, "display_name", common_ui_helper::to_layout_safe(name).c_str());
            }
            bundle_add_str(response, "phone_number", first->getAddress());
        }
    }
    if (message_port_send_message(app_id::WAKE_UP_SERVICE, RESPONSE_PORT, response) !=
        MESSAGE_PORT_ERROR_NONE)
        MSG_LOGE("message_port_send_message() failed.");
    bundle_free(response);
}

void MVWakeUpServiceMgr::_messagePortCb(int, const char*, const char*, bool, bundle*, void* userData) {
    static_cast<MVWakeUpServiceMgr*>(userData)->_answer();
}

} // namespace msg_viewer
} // namespace msg_app
