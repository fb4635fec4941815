#include "common/MCommonRestoreCompleteListener.h"

#include "common/MCommonAppEventMgr.h"
#include "common/MsgLog.h"
#include "common/Preference.h"
#include "common/SingletonRelease.h"
#include "preference.h"

#include <cstring>

namespace msg_app {

MCommonRestoreCompleteListener* MCommonRestoreCompleteListener::_instance = nullptr;

MCommonRestoreCompleteListener* MCommonRestoreCompleteListener::getInstance() {
    if (!_instance) {
        _instance = new MCommonRestoreCompleteListener();
        singleton_release::add(destroy);
    }
    return _instance;
}

void MCommonRestoreCompleteListener::destroy() {
    delete _instance;
    _instance = nullptr;
}

bool MCommonRestoreCompleteListener::init() {
    bool ok = true;
    if (preference_set_changed_cb(preference::KEY_BNR_BLOCKED_NUMBER_RESTORE_COUNT, _restoreCountChangedCb,
                                  this) != PREFERENCE_ERROR_NONE) {
        MSG_LOGE("preference_set_changed_cb(KEY_BNR_BLOCKED_NUMBER_RESTORE_COUNT) fail");
        ok = false;
    }
    if (preference_set_changed_cb(preference::KEY_BNR_SETTING_RESTORE_COUNT, _restoreCountChangedCb, this) !=
        PREFERENCE_ERROR_NONE) {
        MSG_LOGE("preference_set_changed_cb(KEY_BNR_SETTING_RESTORE_COUNT) fail");
        ok = false;
    }
    _watching = true;
    return ok;
}

MCommonRestoreCompleteListener::~MCommonRestoreCompleteListener() {
    if (!_watching)
        return;
    for (const char* key :
         {preference::KEY_BNR_BLOCKED_NUMBER_RESTORE_COUNT, preference::KEY_BNR_SETTING_RESTORE_COUNT}) {
        if (preference_unset_changed_cb(key) != PREFERENCE_ERROR_NONE)
            MSG_LOGE("preference_unset_changed_cb(%s) fail", key);
    }
}

void MCommonRestoreCompleteListener::_restoreCountChangedCb(const char* key, void*) {
    MSG_RET_IF(!key, "key is null");
    MSG_LOGI("restore count changed (%s)", key);
    if (std::strcmp(key, preference::KEY_BNR_BLOCKED_NUMBER_RESTORE_COUNT) == 0)
        MCommonAppEventMgr::getInstance()->emit(APP_EVENT_BLOCKED_NUMBERS_RESTORED);
    else if (std::strcmp(key, preference::KEY_BNR_SETTING_RESTORE_COUNT) == 0)
        MCommonAppEventMgr::getInstance()->emit(APP_EVENT_SETTINGS_RESTORED);
}

} // namespace msg_app
