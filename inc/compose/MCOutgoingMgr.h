/*
 * Decides the road a message leaves by: the paired phone, the watch's own
 * modem, or the network message service.
 */
#ifndef MSG_APP_COMPOSE_MCOUTGOINGMGR_H
#define MSG_APP_COMPOSE_MCOUTGOINGMGR_H

namespace msg_app {
namespace compose {

enum class SendBy : int {
    NONE = 0,
    PHONE = 1,
    HULM = 2,
    NMS = 3,
};

class MCOutgoingMgr {
public:
    static MCOutgoingMgr* getInstance();

    SendBy getSendBy() const { return _sendBy; }
    void setSendBy(SendBy sendBy);

private:
    MCOutgoingMgr() = default;
    ~MCOutgoingMgr() = default;
    MCOutgoingMgr(const MCOutgoingMgr&) = delete;
    MCOutgoingMgr& operator=(const MCOutgoingMgr&) = delete;

    static void _destroy();

    static MCOutgoingMgr* _instance;
    SendBy _sendBy = SendBy::NONE;
};

} // namespace compose
} // namespace msg_app

#endif
