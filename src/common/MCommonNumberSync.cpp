#include "common/MCommonNumberSync.h"

#include "common/CommonUtil.h"
#include "common/MsgLog.h"
#include "common/Preference.h"
#include "common/SingletonRelease.h"

#include <string>

namespace msg_app {

namespace {

// The only carrier whose phones share their number with the watch.
constexpr const char* kSupportedSalesCode = "ATT";

} // namespace

MCommonNumberSync* MCommonNumberSync::_instance = nullptr;

MCommonNumberSync* MCommonNumberSync::getInstance() {
    if (!_instance) {
        _instance = new MCommonNumberSync();
        singleton_release::add(_destroy);
    }
    return _instance;
}

void MCommonNumberSync::_destroy() {
    delete _instance;
    _instance = nullptr;
}

MCommonNumberSync::~MCommonNumberSync() {
    // A process that asked for the status without the application's terminate (a test, a tool)
    // still gives the client back.
    if (_handle)
        MSG_LOGW("Please call deinit() in AppTerminate(). !!!");
    release();
}

void MCommonNumberSync::release() {
    if (!_handle)
        return;
    int ret = merrowin_deinit(_handle);
    if (ret != MERROWIN_ERROR_NONE)
        MSG_LOGE("merrowin_deinit() failed: (%d)", ret);
    _handle = nullptr;
}

bool MCommonNumberSync::isSalescodeSupported() {
    std::string salesCode;
    return common_util::get_sales_code(salesCode) && salesCode == kSupportedSalesCode;
}

bool MCommonNumberSync::_init() {
    if (_handle)
        return true;
    int ret = merrowin_init(&_handle);
    if (ret != MERROWIN_ERROR_NONE) {
        MSG_LOGE("merrowin_init() failed: (%d)", ret);
        _handle = nullptr;
        return false;
    }
    return true;
}

bool MCommonNumberSync::getStatus(int* outStatus) {
    MSG_RETV_IF(!outStatus, false, "merrowin_status is nullptr.");
    if (!isSalescodeSupported())
        return false;
    MSG_RETV_IF(!_init(), false, "_init() failed.");

    int status = 0;
    int ret = merrowin_service_get_status_sync(_handle, &status);
    MSG_RETV_IF(ret != MERROWIN_ERROR_NONE, false, "merrowin_service_get_status_sync() failed: (%d)", ret);
    *outStatus = status;
    MSG_LOGD("merrowinStatus : %d", status);
    return true;
}

bool MCommonNumberSync::getXDaysRangeType(NmsXDaysRangeType* type) {
    MSG_RETV_IF(!type, false, "type is nullptr.");
    return preference::get(preference::KEY_NMS_X_DAYS_RANGE, type);
}

bool MCommonNumberSync::setXDaysRangeType(NmsXDaysRangeType type) {
    return preference::set(preference::KEY_NMS_X_DAYS_RANGE, static_cast<int>(type));
}

} // namespace msg_app
