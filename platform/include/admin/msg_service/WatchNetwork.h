/*
 * The network side of the watch's own modem: messages that arrive for the
 * watch's SIM. The message filters decide the folder: the watch's inbox (101),
 * or its spam folder (105) for a blocked sender or word. Sent messages are
 * delivered or failed through msg_store::PhoneSide like the phone's.
 */
#ifndef MSG_SERVICE_WATCHNETWORK_H
#define MSG_SERVICE_WATCHNETWORK_H

#include "msg_store/Content.h"

#include <string>
#include <vector>

namespace msg_service {

struct WatchIncoming {
    std::string from;
    std::string text;
    // Parts of an MMS; an empty list with no text is refused.
    std::vector<msg_store::Content> contents;
};

class WatchNetwork {
public:
    // A store result code; the new message's id and folder go to the out-parameters.
    static int receive(const WatchIncoming& message, int* outMsgId, int* outFolder);
};

} // namespace msg_service

#endif
