#include "SimPhoneLink.h"

#include "msg_store/MessageManager.h"
#include "vconf.h"

namespace msg_sim {

namespace {

constexpr const char* LINK_KEY = "memory/private/yox/conn_type";

} // namespace

bool simPhoneLinked() {
    int link = 0;
    return vconf_get_int(LINK_KEY, &link) == VCONF_OK && link != 0;
}

std::string simPhoneCannotSend(int msgId) {
    msg_store::Message message;
    // A message that is not there is the store's to report.
    if (msg_store::MessageManager().getMessage(msgId, message) != msg_store::MSG_STORE_SUCCESS)
        return std::string();
    if (message.folderType == msg_store::FOLDER_WATCH_OUTBOX)
        return "message " + std::to_string(msgId) + " goes out through the watch's modem (see watch-send)";
    if (!simPhoneLinked())
        return "no phone link: the phone cannot send message " + std::to_string(msgId);
    return std::string();
}

} // namespace msg_sim
