/*
 * A failed message sent again by the road it first took: the watch's own
 * modem for the watch's messages, else the paired phone, or the network
 * message service while the number service carries the phone's messages. A
 * road that cannot carry it now shows its own popup; the store is asked on a
 * worker, which never waits on the main loop.
 */
#ifndef MSG_APP_VIEWER_MVMESSAGERESEND_H
#define MSG_APP_VIEWER_MVMESSAGERESEND_H

#include "common/IMCommonScreenOpener.h"
#include "msg_store/Conversation.h"

#include <functional>

namespace view_kit {
class WViewController;
}

namespace msg_app {
namespace msg_viewer {

class MVMessageResend {
public:
    // host: the view the road's popup shows on; it outlives this.
    explicit MVMessageResend(view_kit::WViewController& host) : _host(host) {}

    // False, with the road's popup shown, when the road cannot carry the message now; else done
    // runs later on the main loop with whether the store took it.
    bool resend(const msg_store::Conversation& conv, bool isMms, std::function<void(bool sent)> done);

    static IMCommonScreenOpener::SendRoad roadOf(const msg_store::Conversation& conv);

private:
    bool _checkRoad(IMCommonScreenOpener::SendRoad road, const msg_store::Conversation& conv, bool isMms);
    static void _doneCb(void* data);

    view_kit::WViewController& _host;
};

} // namespace msg_viewer
} // namespace msg_app

#endif
