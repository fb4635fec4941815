/*
 * Fetching an MMS whose body is not on the watch yet: asked first, then
 * requested from the watch's own messaging service or from the phone's
 * network message service; what stands in the way is told in a toast.
 */
#ifndef MSG_APP_VIEWER_MVMESSAGERETRIEVE_H
#define MSG_APP_VIEWER_MVMESSAGERETRIEVE_H

#include "msg_store/Conversation.h"

#include <functional>
#include <memory>

namespace view_kit {
class WViewController;
}

namespace msg_app {
namespace msg_viewer {

class MVMessageRetrieve {
public:
    // host: the view the question and the toasts show on; it outlives this.
    explicit MVMessageRetrieve(view_kit::WViewController& host) : _host(host) {}

    // Asks; on yes, fetches the message current() gives then (none: it went meanwhile).
    void ask(std::function<std::shared_ptr<msg_store::Conversation>()> current);

private:
    void _retrieve(const msg_store::Conversation& conv);
    void _retrieveByPhone(int msgId);
    void _toast(const char* textId);

    view_kit::WViewController& _host;
};

} // namespace msg_viewer
} // namespace msg_app

#endif
