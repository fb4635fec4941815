#include "compose/send/MCTarvik.h"

#include "common/CommonUtil.h"
#include "common/MsgLog.h"
#include "common/SingletonRelease.h"

#include <cstdlib>
#include <string>

namespace msg_app {
namespace compose {

MCTarvik* MCTarvik::_instance = nullptr;

MCTarvik* MCTarvik::getInstance() {
    if (!_instance) {
        _instance = new MCTarvik();
        singleton_release::add(_destroy);
    }
    return _instance;
}

void MCTarvik::_destroy() {
    delete _instance;
    _instance = nullptr;
}

MCTarvik::~MCTarvik() {
    if (_handle) {
        MSG_LOGW("Please call deinit() in AppTerminate(). !!!");
        tarvik_deinit(_handle);
    }
}

bool MCTarvik::_init() {
    if (_handle)
        return true;
    int ret = tarvik_init(&_handle);
    MSG_LOGD("tarvik_init() called. ret : [%d]", ret);
    if (ret != TARVIK_ERROR_NONE) {
        MSG_LOGE("tarvik_init() failed. ret : [%d]", ret);
        _handle = nullptr;
        return false;
    }
    return true;
}

bool MCTarvik::getStatus(int* outStatus) {
    MSG_RETV_IF(!outStatus, false, "outStatus is NULL.");
    std::string code;
    if (!common_util::get_sales_code(code) || code != SALES_CODE)
        return false;
    if (!_init()) {
        MSG_LOGE("_init() failed.");
        return false;
    }
    int status = NOT_AVAILABLE;
    int ret = tarvik_service_get_status_sync(_handle, &status);
    if (ret != TARVIK_ERROR_NONE) {
        MSG_LOGE("tarvik_service_get_status_sync() failed: (%d)", ret);
        return false;
    }
    MSG_LOGD("tarvik_status : [%d] [0:not available, 1:enable, 2:disable]", status);
    *outStatus = status;
    return true;
}

void MCTarvik::release() {
    if (_handle)
        tarvik_deinit(_handle);
    _handle = nullptr;
}

} // namespace compose
} // namespace msg_app
