#include "msg_service/WatchNetwork.h"

#include "log/PlatformLog.h"
#include "msg_service/BlockFilter.h"
#include "msg_store/PhoneSide.h"

namespace msg_service {

int WatchNetwork::receive(const WatchIncoming& message, int* outMsgId, int* outFolder) {
    PLAT_RETV_IF(message.from.empty(), msg_store::MSG_STORE_ERR_INVALID_ARGUMENT, "no sender");
    PLAT_RETV_IF(message.text.empty() && message.contents.empty(), msg_store::MSG_STORE_ERR_INVALID_ARGUMENT,
                 "empty message");
    msg_store::IncomingMessage incoming;
    incoming.addresses = {{msg_store::ADDRESS_TYPE_PHONE, message.from}};
    incoming.from = message.from;
    incoming.text = message.text;
    incoming.contents = message.contents;
    incoming.msgType = message.contents.empty() ? "sms" : "mms";
    incoming.folderType = filtered_folder(message.from, message.text, msg_store::FOLDER_WATCH_INBOX);
    int msgId = -1;
    int result = msg_store::PhoneSide::insertMessage(incoming, &msgId);
    if (result != msg_store::MSG_STORE_SUCCESS)
        return result;
    if (outMsgId)
        *outMsgId = msgId;
    if (outFolder)
        *outFolder = incoming.folderType;
    return result;
}

} // namespace msg_service
