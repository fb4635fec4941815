#include "common/MCommonAppEventMgr.h"

#include "common/MsgLog.h"
#include "common/SingletonRelease.h"

#include <algorithm>

namespace msg_app {

MCommonAppEventMgr* MCommonAppEventMgr::_instance = nullptr;

MCommonAppEventMgr* MCommonAppEventMgr::getInstance() {
    if (!_instance) {
        _instance = new MCommonAppEventMgr();
        singleton_release::add(_destroy);
    }
    return _instance;
}

void MCommonAppEventMgr::_destroy() {
    delete _instance;
    _instance = nullptr;
}

bool MCommonAppEventMgr::_isRegistered(const IMCommonAppEventListener* listener) const {
    return std::find(_listeners.begin(), _listeners.end(), listener) != _listeners.end();
}

bool MCommonAppEventMgr::addListener(IMCommonAppEventListener* listener) {
    MSG_RETV_IF(!listener, false, "listener is null.");
    MSG_RETV_IF(_isRegistered(listener), false, "listener already exists.");
    _listeners.push_back(listener);
    return true;
}

void MCommonAppEventMgr::removeListener(IMCommonAppEventListener* listener) {
    MSG_RET_IF(!listener, "listener is null.");
    _listeners.erase(std::remove(_listeners.begin(), _listeners.end(), listener), _listeners.end());
}

void MCommonAppEventMgr::removeAllListeners() {
    _listeners.clear();
}

void MCommonAppEventMgr::emit(MCommonAppEventType type) {
    MSG_LOGD("event(%d)", static_cast<int>(type));
    if (type >= APP_EVENT_INITIAL && type <= APP_EVENT_TERMINATING)
        _appState = type;

    // Listeners may add or remove listeners (themselves included) while being called: walk a copy
    // and skip those that are gone, as they may already be destroyed.
    const std::vector<IMCommonAppEventListener*> snapshot = _listeners;
    for (IMCommonAppEventListener* listener : snapshot) {
        if (_isRegistered(listener))
            listener->appEventListener(type);
    }
}

} // namespace msg_app
