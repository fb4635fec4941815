#include "common/popup/DestroyLater.h"

#include "common/MsgLog.h"
#include "view_kit/WTimer.h"

namespace msg_app {
namespace common_popup {

void destroy_later(view_kit::WViewController* vc) {
    MSG_RET_IF(!vc, "vc is null");
    std::weak_ptr<view_kit::WViewController> weak = vc->getWeakPtr();
    view_kit::WTimer::addTimer(
        0.0,
        [weak](void*) {
            if (auto alive = weak.lock())
                alive->destroy();
            return false;
        },
        nullptr);
}

} // namespace common_popup
} // namespace msg_app
