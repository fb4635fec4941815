/*
 * What a bubble asks of the conversation it is in. The row draws its message
 * and tells what the finger did; the conversation acts on it (launch requests,
 * the store, popups and the option panel), so that a row reaches no service
 * itself. Main loop only.
 */
#ifndef MSG_APP_VIEWER_MVITEM_IMVBUBBLEACTIONS_H
#define MSG_APP_VIEWER_MVITEM_IMVBUBBLEACTIONS_H

#include <functional>
#include <string>

namespace msg_app {
namespace msg_viewer {

class MVItemBubble;

class IMVBubbleActions {
public:
    virtual ~IMVBubbleActions() = default;

    // The bubble's failed message goes again by the road it first took. False, with the road's
    // reason shown, when that road cannot carry it now; else done runs later, on the main loop,
    // with whether the store took the message (unless the bubble went first).
    virtual bool resendMessage(MVItemBubble& bubble, std::function<void(bool sent)> done) = 0;
    // The bubble's MMS is not on the watch yet: asks, then fetches it.
    virtual void retrieveMessage(MVItemBubble& bubble) = 0;
    // A link of the bubble's text, as the text marks it: one mark, the scheme, the linked markup.
    virtual void openLink(MVItemBubble& bubble, const char* anchor) = 0;
    // A picture, clip or sound of the message: its viewer, or a request to the phone for it.
    virtual void openContent(MVItemBubble& bubble, int index) = 0;
    // A file of the message, in the viewer the watch has for it.
    virtual void openAttachment(const std::string& path) = 0;
};

} // namespace msg_viewer
} // namespace msg_app

#endif
