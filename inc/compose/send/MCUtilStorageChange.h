/*
 * Following a sent message through the store until its final status.
 * Reached as MCUtil, which gathers the composer's helper groups.
 */
#ifndef MSG_APP_COMPOSE_SEND_MCUTILSTORAGECHANGE_H
#define MSG_APP_COMPOSE_SEND_MCUTILSTORAGECHANGE_H

#include <memory>

namespace view_kit {
class WTimer;
}

namespace msg_app {
class MCommonProgressPopup;
namespace compose {

struct MCMsgData;

struct MCUtilStorageChange {
    // Follows the sent message through the store's change events until its final status.
    static void storageChangeCb(const char* message, std::shared_ptr<MCMsgData>& msg,
                                std::weak_ptr<view_kit::WTimer>& resultTimer,
                                std::weak_ptr<view_kit::WTimer>& retailTimer,
                                std::weak_ptr<MCommonProgressPopup>& popup);
};

} // namespace compose
} // namespace msg_app

#endif
