/*
 * What a tap on a message's content opens: the gallery (with every picture of
 * the message), the media player, the file's viewer, or a request to the
 * phone for a file still there. The viewers get copies, never the store's
 * files.
 */
#ifndef MSG_APP_VIEWER_MVCONTENTOPENER_H
#define MSG_APP_VIEWER_MVCONTENTOPENER_H

#include "common/MCommonMsgStore.h"
#include "msg_store/Conversation.h"

#include <string>
#include <vector>

namespace view_kit {
class WViewController;
}

namespace msg_app {
namespace msg_viewer {

class MVContentOpener {
public:
    // host: the view the toasts show on; store: asks the phone for a file. Both outlive this.
    MVContentOpener(view_kit::WViewController& host, MCommonMsgStore& store) : _host(host), _store(store) {}

    void openContent(const msg_store::Conversation& conv, int index);
    void openAttachment(const std::string& path);

private:
    void _requestFromPeer(const msg_store::Content& content);
    void _launchMediaViewer(const msg_store::Conversation& conv, const msg_store::Content& content);
    void _launchImageViewer(const std::vector<std::string>& files, const std::string& defaultFile);
    bool _launchFileViewer(const std::string& path);
    void _toast(const char* textId, int icon);

    view_kit::WViewController& _host;
    MCommonMsgStore& _store;
};

} // namespace msg_viewer
} // namespace msg_app

#endif
