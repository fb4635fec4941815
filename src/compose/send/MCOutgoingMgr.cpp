#include "compose/MCOutgoingMgr.h"

#include "common/MsgLog.h"

#include <cstdlib>

namespace msg_app {
namespace compose {

MCOutgoingMgr* MCOutgoingMgr::_instance = nullptr;

MCOutgoingMgr* MCOutgoingMgr::getInstance() {
    if (!_instance) {
        _instance = new MCOutgoingMgr();
        atexit(_destroy);
    }
    return _instance;
}

void MCOutgoingMgr::_destroy() {
    delete _instance;
    _instance = nullptr;
}

void MCOutgoingMgr::setSendBy(SendBy sendBy) {
    MSG_LOGD("_sendBy : %d", static_cast<int>(sendBy));
    _sendBy = sendBy;
}

} // namespace compose
} // namespace msg_app
