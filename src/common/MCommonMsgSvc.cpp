#include "common/MCommonMsgSvc.h"

#include "common/CommonUtil.h"
#include "common/MsgLog.h"
#include "common/SingletonRelease.h"
#include "msg_storage.h"
#include "msg_transport.h"
#include "phone_misc.h"

#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

namespace msg_app {

namespace {

constexpr const char* VCONFKEY_MSG_SERVER_READY = "memory/msg/ready";
constexpr int kNullOptionResult = -2;

pid_t currentTid() {
    return static_cast<pid_t>(syscall(SYS_gettid));
}

std::string filterText(msg_struct_t filter) {
    char value[MSG_FILTER_VALUE_LEN + 1] = "";
    msg_get_str_value(filter, MSG_FILTER_VALUE_STR, value, sizeof(value));
    return value;
}

} // namespace

std::mutex MCommonMsgSvc::_mapMutex;
std::map<pid_t, MCommonMsgSvc*> MCommonMsgSvc::_instanceMap;
bool MCommonMsgSvc::_watchingReady = false;

MCommonMsgSvc* MCommonMsgSvc::getInstance() {
    pid_t tid = currentTid();
    std::lock_guard<std::mutex> lock(_mapMutex);
    if (!_watchingReady) {
        if (vconf_notify_key_changed(VCONFKEY_MSG_SERVER_READY, _serviceReadyChangedCb, nullptr) == VCONF_OK)
            _watchingReady = true;
        else
            MSG_LOGE("Fail to register vconf with [%s]", VCONFKEY_MSG_SERVER_READY);
    }
    auto it = _instanceMap.find(tid);
    if (it != _instanceMap.end()) {
        // A handle that could not be opened, or was released, is tried again by its thread.
        if (!it->second->_handle && common_util::is_sta_enabled())
            it->second->_open();
        return it->second;
    }
    auto* instance = new MCommonMsgSvc(tid);
    _instanceMap[tid] = instance;
    singleton_release::add(_destroy);
    // Only its own thread can close a handle, so a thread that ends takes its instance with it.
    thread_local ThreadExit threadExit;
    (void)threadExit;
    return instance;
}

MCommonMsgSvc::ThreadExit::~ThreadExit() {
    pid_t tid = currentTid();
    std::lock_guard<std::mutex> lock(_mapMutex);
    auto it = _instanceMap.find(tid);
    if (it == _instanceMap.end())
        return;
    it->second->_close();
    delete it->second;
    _instanceMap.erase(it);
}

void MCommonMsgSvc::_destroy() {
    std::lock_guard<std::mutex> lock(_mapMutex);
    for (auto& [tid, instance] : _instanceMap)
        delete instance;
    _instanceMap.clear();
}

MCommonMsgSvc::MCommonMsgSvc(pid_t tid) : _tid(tid) {
    MSG_LOGD("Create instance tid[%d]", static_cast<int>(tid));
    if (common_util::is_sta_enabled())
        _open();
    else
        MSG_LOGD("stand-alone is not allowed.");
}

MCommonMsgSvc::~MCommonMsgSvc() {
    if (_handle)
        MSG_LOGW("Please call deinit() in AppTerminate(). !!!");
}

void MCommonMsgSvc::_open() {
    int ret = msg_open_msg_handle(&_handle);
    if (ret != MSG_SUCCESS) {
        MSG_LOGE("msg_open_msg_handle() is failed(%d)", ret);
        _handle = nullptr;
    }
}

void MCommonMsgSvc::_close() {
    if (!_handle)
        return;
    int ret = msg_close_msg_handle(&_handle);
    if (ret != MSG_SUCCESS)
        MSG_LOGE("msg_close_msg_handle() is failed(%d)", ret);
    _handle = nullptr;
}

void MCommonMsgSvc::release() {
    std::lock_guard<std::mutex> lock(_mapMutex);
    for (auto& [tid, instance] : _instanceMap)
        instance->_close();
    if (_watchingReady) {
        if (vconf_ignore_key_changed(VCONFKEY_MSG_SERVER_READY, _serviceReadyChangedCb) != VCONF_OK)
            MSG_LOGE("Fail to remove vconf with [%s]", VCONFKEY_MSG_SERVER_READY);
        _watchingReady = false;
    }
}

void MCommonMsgSvc::_serviceReadyChangedCb(keynode_t* node, void*) {
    if (!node || !vconf_keynode_get_bool(node))
        return;
    if (!common_util::is_sta_enabled())
        return;
    MSG_LOGI("messaging service is ready again");
    // A handle can only be replaced by its own thread: this one's now, the others' on next use.
    std::lock_guard<std::mutex> lock(_mapMutex);
    for (auto& [tid, instance] : _instanceMap)
        instance->_reopenPending = true;
    auto own = _instanceMap.find(currentTid());
    if (own != _instanceMap.end())
        own->second->_getHandle();
}

MCommonMsgSvc::BlockListHandle::~BlockListHandle() {
    if (handle && msg_close_msg_handle(&handle) != MSG_SUCCESS)
        MSG_LOGE("msg_close_msg_handle() is failed");
}

msg_handle_t MCommonMsgSvc::_getBlockListHandle(BlockListHandle& scoped) {
    if (msg_handle_t handle = _getHandle())
        return handle;
    // The block list is the phone's as well as the watch's (the two are kept in step): a watch
    // without stand-alone still reads and changes it, through a handle of the call's own.
    if (common_util::is_sta_enabled())
        return nullptr;
    int ret = msg_open_msg_handle(&scoped.handle);
    if (ret != MSG_SUCCESS) {
        MSG_LOGE("msg_open_msg_handle() is failed(%d)", ret);
        scoped.handle = nullptr;
    }
    return scoped.handle;
}

msg_handle_t MCommonMsgSvc::_getHandle() {
    if (currentTid() == _tid && _reopenPending.exchange(false)) {
        _close();
        _open();
    }
    return _handle;
}

msg_struct_t MCommonMsgSvc::_createRequest(msg_struct_t msg, msg_struct_t sendOpt) {
    msg_struct_t request = msg_create_struct(MSG_STRUCT_REQUEST_INFO);
    MSG_RETV_IF(!request, nullptr, "msg_create_struct() is failed");
    int ret = msg_set_struct_handle(request, MSG_REQUEST_MESSAGE_HND, msg);
    if (ret == MSG_SUCCESS)
        ret = msg_set_struct_handle(request, MSG_REQUEST_SENDOPT_HND, sendOpt);
    if (ret != MSG_SUCCESS) {
        MSG_LOGE("msg_set_struct_handle() is failed. err : %d", ret);
        msg_release_struct(&request);
        return nullptr;
    }
    return request;
}

bool MCommonMsgSvc::sendMsg(msg_struct_t msg, msg_struct_t sendOpt, bool isMms, int* outSendRet,
                            int* outMsgId) {
    MSG_RETV_IF(!msg, false, "message is null");
    MSG_RETV_IF(!sendOpt, false, "sendOpt is null");
    MSG_RETV_IF(!outSendRet, false, "outSendRet is null");
    msg_handle_t handle = _getHandle();
    MSG_RETV_IF(!handle, false, "handle is null");

    msg_struct_t request = _createRequest(msg, sendOpt);
    if (!request)
        return false;
    *outSendRet = isMms ? msg_mms_send_message(handle, request) : msg_sms_send_message(handle, request);
    bool sent = *outSendRet == MSG_SUCCESS;
    if (sent && outMsgId) {
        msg_struct_t sentMsg = nullptr;
        if (msg_get_struct_handle(request, MSG_REQUEST_MESSAGE_HND, reinterpret_cast<void**>(&sentMsg)) ==
                MSG_SUCCESS &&
            sentMsg)
            msg_get_int_value(sentMsg, MSG_MESSAGE_ID_INT, outMsgId);
    }
    if (!sent)
        MSG_LOGE("Send_message is failed. *outSendRet : %d", *outSendRet);
    msg_release_struct(&request);
    return sent;
}

bool MCommonMsgSvc::retrieveMsg(msg_struct_t msg, msg_struct_t sendOpt) {
    MSG_RETV_IF(!msg, false, "message is null");
    MSG_RETV_IF(!sendOpt, false, "sendOpt is null");
    msg_handle_t handle = _getHandle();
    MSG_RETV_IF(!handle, false, "handle is null");

    msg_struct_t request = _createRequest(msg, sendOpt);
    if (!request)
        return false;
    int ret = msg_mms_retrieve_message(handle, request);
    msg_release_struct(&request);
    MSG_RETV_IF(ret != MSG_SUCCESS, false, "msg_mms_retrieve_message() is failed(%d)", ret);
    return true;
}

bool MCommonMsgSvc::getMmsData(int msgId, msg_struct_t* outMsg, msg_struct_t* outMms,
                               msg_struct_t* outSendOpt) {
    MSG_RETV_IF(!outMsg || !outMms || !outSendOpt, false, "output is null");
    msg_handle_t handle = _getHandle();
    MSG_RETV_IF(!handle, false, "handle is null");

    msg_struct_t msg = msg_create_struct(MSG_STRUCT_MESSAGE_INFO);
    msg_struct_t mms = msg_create_struct(MSG_STRUCT_MMS);
    msg_struct_t sendOpt = msg_create_struct(MSG_STRUCT_SENDOPT);
    int ret = msg_get_message(handle, msgId, msg, sendOpt);
    if (ret == MSG_SUCCESS)
        ret = msg_get_mms_struct(msg, mms);
    if (ret != MSG_SUCCESS) {
        MSG_LOGE("msg_get_message(%d) is failed(%d)", msgId, ret);
        msg_release_struct(&msg);
        msg_release_struct(&mms);
        msg_release_struct(&sendOpt);
        return false;
    }
    *outMsg = msg;
    *outMms = mms;
    *outSendOpt = sendOpt;
    return true;
}

int MCommonMsgSvc::getMsgSize() {
    msg_handle_t handle = _getHandle();
    MSG_RETV_IF(!handle, 0, "handle is null");
    int size = 0;
    MSG_RETV_IF(msg_get_mms_max_size(handle, &size) != MSG_SUCCESS, 0, "Getting MMS MAX SIZE ERROR");
    return size;
}

bool MCommonMsgSvc::addBlockNumber(const char* address) {
    MSG_RETV_IF(!address || !*address, false, "address is null");
    BlockListHandle scoped;
    msg_handle_t handle = _getBlockListHandle(scoped);
    MSG_RETV_IF(!handle, false, "handle is null");

    msg_struct_t filter = msg_create_struct(MSG_STRUCT_FILTER);
    MSG_RETV_IF(!filter, false, "msg_create_struct() is failed");
    msg_set_int_value(filter, MSG_FILTER_TYPE_INT, MSG_FILTER_BY_ADDRESS_SAME);
    int ret =
        msg_set_str_value(filter, MSG_FILTER_VALUE_STR, address, static_cast<int>(std::strlen(address)));
    if (ret == MSG_SUCCESS)
        ret = msg_add_filter(handle, filter);
    msg_release_struct(&filter);
    MSG_RETV_IF(ret != MSG_SUCCESS, false, "msg_add_filter() is failed(%d)", ret);

    ret = phone_misc_block_insert(address, PHONE_MISC_BLOCK_MATCH_EXACT);
    if (ret != PHONE_MISC_ERROR_NONE)
        MSG_LOGE("phone_misc_block_insert() Failed(%d)", ret);
    return true;
}

bool MCommonMsgSvc::_readFilters(msg_handle_t handle, msg_struct_list_s* filters) {
    int ret = msg_get_filter_list(handle, filters);
    if (ret != MSG_SUCCESS || filters->nCount <= 0) {
        MSG_LOGE("msg_get_filter_list (cnt:%d, err:%d)", filters->nCount, ret);
        if (ret == MSG_SUCCESS)
            msg_release_list_struct(filters);
        return false;
    }
    return true;
}

void MCommonMsgSvc::_unblock(msg_handle_t handle, msg_struct_t filter) {
    int filterId = 0;
    msg_get_int_value(filter, MSG_FILTER_ID_INT, &filterId);
    int ret = msg_delete_filter(handle, filterId);
    if (ret != MSG_SUCCESS)
        MSG_LOGE("msg_delete_filter(%d) is failed(%d)", filterId, ret);
    std::string text = filterText(filter);
    ret = phone_misc_block_delete(text.c_str());
    if (ret != PHONE_MISC_ERROR_NONE)
        MSG_LOGE("phone_misc_block_delete() Failed(%d)", ret);
}

bool MCommonMsgSvc::removeBlockNumber(const char* address) {
    MSG_RETV_IF(!address, false, "address is null");
    return removeBlockNumber(std::vector<std::string>{address});
}

bool MCommonMsgSvc::removeBlockNumber(const std::vector<std::string>& addresses) {
    BlockListHandle scoped;
    msg_handle_t handle = _getBlockListHandle(scoped);
    MSG_RETV_IF(!handle, false, "handle is null");
    msg_struct_list_s filters{0, nullptr};
    if (!_readFilters(handle, &filters))
        return false;
    for (int i = 0; i < filters.nCount; ++i) {
        msg_struct_t filter = filters.msg_struct_info[i];
        if (std::find(addresses.begin(), addresses.end(), filterText(filter)) != addresses.end())
            _unblock(handle, filter);
    }
    msg_release_list_struct(&filters);
    return true;
}

bool MCommonMsgSvc::getBlockNumberList(std::vector<std::string>& outList) {
    BlockListHandle scoped;
    msg_handle_t handle = _getBlockListHandle(scoped);
    MSG_RETV_IF(!handle, false, "handle is null");
    msg_struct_list_s filters{0, nullptr};
    if (!_readFilters(handle, &filters))
        return false;
    for (int i = 0; i < filters.nCount; ++i)
        outList.push_back(filterText(filters.msg_struct_info[i]));
    msg_release_list_struct(&filters);
    return true;
}

msg_struct_t MCommonMsgSvc::createCBOpt() {
    msg_handle_t handle = _getHandle();
    MSG_RETV_IF(!handle, nullptr, "handle is null");
    msg_struct_t opt = msg_create_struct(MSG_STRUCT_SETTING_CB_OPT);
    MSG_RETV_IF(!opt, nullptr, "msg_create_struct() is failed");
    int ret = msg_get_cb_opt(handle, opt);
    if (ret != MSG_SUCCESS) {
        MSG_LOGE("msg_get_cb_opt() is failed. [%d]", ret);
        msg_release_struct(&opt);
        return nullptr;
    }
    return opt;
}

int MCommonMsgSvc::setCBOpt(msg_struct_t opt) {
    MSG_RETV_IF(!opt, kNullOptionResult, "opt is null");
    msg_handle_t handle = _getHandle();
    MSG_RETV_IF(!handle, MSG_ERR_INVALID_MSGHANDLE, "handle is null");
    int ret = msg_set_cb_opt(handle, opt);
    if (ret != MSG_SUCCESS)
        MSG_LOGE("msg_set_cb_opt() is failed. (%d)", ret);
    return ret;
}

void MCommonMsgSvc::destroyCBOpt(msg_struct_t* opt) {
    if (opt && *opt)
        msg_release_struct(opt);
}

} // namespace msg_app
