#include "compose/MCSendMgr.h"

#include "common/MsgLog.h"

#include <cstdlib>

namespace msg_app {
namespace compose {

MCSendMgr* MCSendMgr::_instance = nullptr;

MCSendMgr* MCSendMgr::getInstance() {
    if (!_instance) {
        _instance = new MCSendMgr();
        atexit(_destroy);
    }
    return _instance;
}

void MCSendMgr::_destroy() {
    delete _instance;
    _instance = nullptr;
}

} // namespace compose
} // namespace msg_app
