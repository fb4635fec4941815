#include "common/MCommonAppLaunchMgr.h"

#include "common/AppIds.h"
#include "common/CommonHosts.h"
#include "common/MsgLog.h"
#include "common/SingletonRelease.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

namespace msg_app {

namespace {

constexpr const char* kContactsAppId = "com.vorlane.w-contacts2";
constexpr const char* kContactsAppControlId = app_id::CONTACTS_APPCONTROL;
constexpr const char* kFabrelPopupAppId = "com.vorlane.fabrel-popup";
constexpr const char* kBluetoothAppId = "com.vorlane.bluetooth";
constexpr const char* kStoreAppId = app_id::STORE;
constexpr const char* kMapAppId = app_id::MAP;

constexpr const char* kWcPopupResponseKey = "_WCPOPUP_RESP_";

LaunchRequest createRequest(const char* failureLog) {
    LaunchRequest request = createLaunchRequest();
    if (!request)
        MSG_LOGE("%s", failureLog);
    return request;
}

} // namespace

MCommonAppLaunchMgr* MCommonAppLaunchMgr::_instance = nullptr;

MCommonAppLaunchMgr* MCommonAppLaunchMgr::getInstance() {
    if (!_instance) {
        _instance = new MCommonAppLaunchMgr();
        singleton_release::add(_destroy);
    }
    return _instance;
}

void MCommonAppLaunchMgr::_destroy() {
    delete _instance;
    _instance = nullptr;
}

MCommonAppLaunchMgr::~MCommonAppLaunchMgr() {
    destroyHandle();
}

void MCommonAppLaunchMgr::_registerRequestsRelease() {
    // Newer than the manager's own release, so the awaited requests go first.
    singleton_release::add(_releaseAwaitedRequests);
}

void MCommonAppLaunchMgr::_releaseAwaitedRequests() {
    if (!_instance)
        return;
    _instance->destroyHandle();
    _instance->_awaitingFixedReply.clear();
}

bool MCommonAppLaunchMgr::launch(app_control_h request, ReplyCb cb) {
    MSG_RETV_IF(!request, false, "handle is null.");
    if (_handle)
        destroyHandle();

    int ret = app_control_send_launch_request(request, _replyCb, this);
    if (ret != APP_CONTROL_ERROR_NONE) {
        MSG_LOGE("app_control_send_launch_request failed. [%d]", ret);
        _handle = nullptr;
        _replyCallback = nullptr;
        return false;
    }
    _registerRequestsRelease();
    _handle = request;
    _replyCallback = std::move(cb);
    return true;
}

bool MCommonAppLaunchMgr::launch(LaunchRequest request, ReplyCb cb) {
    if (!launch(request.get(), std::move(cb)))
        return false;
    request.release();
    return true;
}

bool MCommonAppLaunchMgr::destroyHandle() {
    bool ok = true;
    if (_handle) {
        int ret = app_control_send_terminate_request(_handle);
        if (ret != APP_CONTROL_ERROR_NONE) {
            MSG_LOGE("app_control_send_terminate_request failed. [%d]", ret);
            ok = false;
        }
        ret = app_control_destroy(_handle);
        if (ret != APP_CONTROL_ERROR_NONE) {
            MSG_LOGE("app_control_destroy failed. [%d]", ret);
            ok = false;
        }
        _handle = nullptr;
    }
    _replyCallback = nullptr;
    return ok;
}

void MCommonAppLaunchMgr::_replyCb(app_control_h request, app_control_h reply, app_control_result_e result,
                                   void* data) {
    auto* self = static_cast<MCommonAppLaunchMgr*>(data);
    // A reply to a request that has been replaced is not ours to act on any more.
    if (self != _instance || request != self->_handle)
        return;
    // The callback may start the next launch; it runs on a copy so that replacing it is safe.
    ReplyCb cb = self->_replyCallback;
    if (cb)
        cb(request, reply, result);
    if (self->_handle == request)
        self->destroyHandle();
}

void MCommonAppLaunchMgr::_sendAndDestroy(LaunchRequest request) {
    int ret = app_control_send_launch_request(request.get(), nullptr, nullptr);
    if (ret != APP_CONTROL_ERROR_NONE)
        MSG_LOGE("app_control_send_launch_request failed. [%d]", ret);
}

void MCommonAppLaunchMgr::_sendKeptUntilReply(LaunchRequest request, const FixedReplyHandler* handler) {
    int ret = app_control_send_launch_request(request.get(), _fixedReplyCb,
                                              const_cast<FixedReplyHandler*>(handler));
    if (ret != APP_CONTROL_ERROR_NONE) {
        MSG_LOGE("app_control_send_launch_request failed. [%d]", ret);
        return;
    }
    _registerRequestsRelease();
    _awaitingFixedReply.push_back(std::move(request));
}

void MCommonAppLaunchMgr::_fixedReplyCb(app_control_h request, app_control_h reply,
                                        app_control_result_e result, void* data) {
    (*static_cast<const FixedReplyHandler*>(data))(reply, result);
    if (!_instance)
        return;
    auto& awaiting = _instance->_awaitingFixedReply;
    auto it = std::find_if(awaiting.begin(), awaiting.end(),
                           [request](const LaunchRequest& kept) { return kept.get() == request; });
    if (it != awaiting.end())
        awaiting.erase(it);
}

void MCommonAppLaunchMgr::launchVoiceCall(const char* number, const char* displayName) {
    MSG_RET_IF(!number, "number is nullptr !!");
    LaunchRequest request = createRequest("app_control_create() is failed");
    if (!request)
        return;
    app_control_set_operation(request.get(), APP_CONTROL_OPERATION_CALL);
    app_control_add_extra_data(request.get(), "launch-type", "MO");
    app_control_add_extra_data(request.get(), "number", number);
    if (displayName)
        app_control_add_extra_data(request.get(), "display_name", displayName);
    _sendAndDestroy(std::move(request));
}

void MCommonAppLaunchMgr::launchContactMain() {
    LaunchRequest request = createRequest("app_control_create() is failed");
    if (!request)
        return;
    app_control_set_app_id(request.get(), kContactsAppId);
    app_control_set_operation(request.get(), APP_CONTROL_OPERATION_MAIN);
    _sendAndDestroy(std::move(request));
}

void MCommonAppLaunchMgr::launchAddContactView(const char* number) {
    MSG_RET_IF(!number, "number is nullptr");
    LaunchRequest request = createRequest("app_control_create() is failed");
    if (!request)
        return;
    app_control_set_app_id(request.get(), kContactsAppControlId);
    app_control_add_extra_data(request.get(), "type", "add");
    app_control_add_extra_data(request.get(), "data_phone", number);
    app_control_set_launch_mode(request.get(), APP_CONTROL_LAUNCH_MODE_GROUP);
    if (!launch(std::move(request), nullptr))
        MSG_LOGE("launch failed.");
}

void MCommonAppLaunchMgr::launchFabrelPopup(const char* connectionType) {
    MSG_RET_IF(!connectionType, "connectionType is null");
    MSG_LOGI("connection type : %s", connectionType);
    LaunchRequest request = createRequest("app_control_create is failed.");
    if (!request)
        return;
    app_control_set_app_id(request.get(), kFabrelPopupAppId);
    app_control_add_extra_data(request.get(), APP_CONTROL_DATA_CONNECTION_TYPE, connectionType);
    _sendAndDestroy(std::move(request));
}

void MCommonAppLaunchMgr::launchBtConnectPopup() {
    LaunchRequest request = createRequest("app_control_create is failed.");
    if (!request)
        return;
    app_control_set_app_id(request.get(), kFabrelPopupAppId);
    app_control_add_extra_data(request.get(), APP_CONTROL_DATA_CONNECTION_TYPE, "bt_connect");
    static const FixedReplyHandler handler = [](app_control_h reply, app_control_result_e) {
        char* value = nullptr;
        if (reply)
            app_control_get_extra_data(reply, kWcPopupResponseKey, &value);
        if (!value || std::strcmp(value, "CONNECTED") != 0)
            MSG_LOGW("BT Not Connected . val(%s)", value ? value : "(null)");
        std::free(value);
    };
    _sendKeptUntilReply(std::move(request), &handler);
}

void MCommonAppLaunchMgr::launchBtHeadsetConnectPopup() {
    LaunchRequest request = createRequest("app_control_create() is failed.");
    if (!request)
        return;
    app_control_set_app_id(request.get(), kBluetoothAppId);
    app_control_add_extra_data(request.get(), "launch-type", "sound");
    static const FixedReplyHandler handler = [](app_control_h, app_control_result_e result) {
        MSG_LOGD("result [%d]", static_cast<int>(result));
    };
    _sendKeptUntilReply(std::move(request), &handler);
}

void MCommonAppLaunchMgr::launchHulmStore(const char* url) {
    MSG_RET_IF(!url, "url is nullptr");
    LaunchRequest request = createRequest("app_control_create() is failed");
    if (!request)
        return;
    app_control_set_app_id(request.get(), kStoreAppId);
    app_control_set_operation(request.get(), APP_CONTROL_OPERATION_VIEW);
    app_control_set_uri(request.get(), url);
    _sendAndDestroy(std::move(request));
}

void MCommonAppLaunchMgr::launchHereMap(const char* url) {
    MSG_RET_IF(!url, "url is nullptr");
    const std::string marker = std::string(hosts::kHereMapShare) + "/l/";
    const char* found = std::strstr(url, marker.c_str());
    if (!found) {
        MSG_LOGE("This url(%s) is not Here-map url.", url);
        return;
    }
    std::string geometry(found + marker.size());
    geometry = geometry.substr(0, geometry.find('?'));
    if (geometry.find(',') == std::string::npos) {
        MSG_LOGE("invalid geometry (%s)", geometry.c_str());
        return;
    }

    LaunchRequest request = createRequest("app_control_create() is failed");
    if (!request)
        return;
    app_control_set_app_id(request.get(), kMapAppId);
    app_control_set_operation(request.get(), APP_CONTROL_OPERATION_VIEW);
    app_control_set_uri(request.get(), ("geo:" + geometry).c_str());
    app_control_set_launch_mode(request.get(), APP_CONTROL_LAUNCH_MODE_GROUP);
    if (!launch(std::move(request), nullptr))
        MSG_LOGE("launch failed.");
}

} // namespace msg_app
