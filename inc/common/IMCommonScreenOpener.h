/*
 * How one feature's screen opens another's without knowing its classes: the
 * application installs an opener at start-up, and a screen asks it for the
 * page to push. A feature thereby stays a leaf above the common layer.
 */
#ifndef MSG_APP_COMMON_IMCOMMONSCREENOPENER_H
#define MSG_APP_COMMON_IMCOMMONSCREENOPENER_H

#include "view_kit/WContentViewController.h"
#include "view_kit/WViewController.h"

#include <string>
#include <vector>

namespace msg_app {

class IMCommonScreenOpener {
public:
    // The roads a message leaves by, as the composer numbers them.
    enum SendRoad : int {
        ROAD_PHONE = 1, // the paired phone's own messaging
        ROAD_WATCH = 2, // the watch's own modem
        ROAD_NMS = 3,   // the network message service, on the phone's behalf
    };

    virtual ~IMCommonScreenOpener() = default;
    // The page of one conversation; null when it cannot be made.
    virtual view_kit::WContentViewController* createConversation(int threadId) = 0;
    // The page of one blocked message; null when it cannot be made.
    virtual view_kit::WContentViewController* createBlockedMessage(int msgId) = 0;
    // The first page of a new message. Null when the composer may not start, with *errorPopup
    // set to the popup that tells why (null when there is none) for the caller to attach.
    virtual view_kit::WContentViewController* createComposer(view_kit::WViewController** errorPopup) = 0;
    // Whether a message to these recipients may be written now (flight mode, device policy,
    // storage, the recipients). False with *errorPopup set as for createComposer.
    virtual bool checkComposer(const std::vector<std::string>& recipients,
                               view_kit::WViewController** errorPopup) = 0;
    // Whether a message that failed may go again by its own road now, by the composer's rules for
    // that road. False with *errorPopup set to the popup that tells why, or null when the check
    // asked for the phone's connection itself, for the caller to attach.
    virtual bool checkResend(SendRoad road, bool isMms, const std::string& address, int msgId,
                             view_kit::WViewController** errorPopup) = 0;
};

namespace screen_opener {

// Installs the application's opener (borrowed: it outlives every screen); null removes it.
void install(IMCommonScreenOpener* opener);
// The installed opener, or null (logged) when the application installed none.
IMCommonScreenOpener* get();

} // namespace screen_opener
} // namespace msg_app

#endif
