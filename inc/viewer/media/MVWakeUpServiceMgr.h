/*
 * While a conversation is open, the device's voice wake-up service may ask
 * who the user is talking to: a local message port answers with the
 * conversation's first address and its contact.
 */
#ifndef MSG_APP_VIEWER_MEDIA_MVWAKEUPSERVICEMGR_H
#define MSG_APP_VIEWER_MEDIA_MVWAKEUPSERVICEMGR_H

#include "bundle.h"

namespace msg_app {
namespace msg_viewer {

class MVWakeUpServiceMgr {
public:
    static MVWakeUpServiceMgr* getInstance();

    // The conversation the next answers describe.
    void init(int threadId, bool supportReply);
    bool regist();
    // Harmless when not registered.
    void unregist();
    bool isServiceActivated() const { return _portId > 0; }

private:
    MVWakeUpServiceMgr() = default;
    bool _sendRequest(const char* requestType);
    void _answer();
    static void _destroy();
    static void _messagePortCb(int portId, const char* remoteAppId, const char* remotePort, bool trusted,
                               bundle* message, void* userData);

    int _portId = 0;
    int _threadId = -1;
    bool _supportReply = false;
};

} // namespace msg_viewer
} // namespace msg_app

#endif
