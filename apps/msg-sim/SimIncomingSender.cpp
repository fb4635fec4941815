#include "SimIncomingSender.h"

#include "msg_service/BlockFilter.h"

namespace msg_sim {

void simSetIncomingSender(msg_store::IncomingMessage& message, const std::string& from,
                          const std::string& members) {
    message.addresses.push_back({msg_store::ADDRESS_TYPE_PHONE, from});
    for (size_t start = 0; !members.empty() && start <= members.size();) {
        size_t end = members.find(',', start);
        if (end == std::string::npos)
            end = members.size();
        if (end > start)
            message.addresses.push_back({msg_store::ADDRESS_TYPE_PHONE, members.substr(start, end - start)});
        start = end + 1;
    }
    message.from = from;
}

void simFilterIncoming(msg_store::IncomingMessage& message) {
    bool forInbox =
        message.folderType == msg_store::FOLDER_INBOX || message.folderType == msg_store::FOLDER_WATCH_INBOX;
    if (forInbox && message.msgType != "cmas")
        message.folderType = msg_service::filtered_folder(message.from, message.text, message.folderType);
}

} // namespace msg_sim
