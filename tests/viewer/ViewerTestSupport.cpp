#include "ViewerTestSupport.h"

#include "msg_store/MsgStore.h"

#include <Elementary.h>
#include <gtest/gtest.h>

#include <cstdlib>

namespace msg_test {

msg_store::IncomingMessage message(const std::string& from, const std::string& text, int64_t timeMs,
                                   msg_store::FolderType folder) {
    msg_store::IncomingMessage in;
    in.addresses = {{msg_store::ADDRESS_TYPE_PHONE, from}};
    in.text = text;
    in.time = timeMs;
    in.folderType = folder;
    if (folder == msg_store::FOLDER_OUTBOX || folder == msg_store::FOLDER_WATCH_OUTBOX)
        in.networkStatus = msg_store::NETWORK_STATUS_SENDING;
    return in;
}

std::vector<int> storeMessages(const std::vector<msg_store::IncomingMessage>& messages) {
    std::vector<int> ids;
    EXPECT_EQ(msg_store::PhoneSide::insertMessages(messages, &ids), msg_store::MSG_STORE_SUCCESS);
    return ids;
}

int threadOf(int msgId) {
    msg_store::Message stored;
    EXPECT_EQ(msg_store::MessageManager().getMessage(msgId, stored), msg_store::MSG_STORE_SUCCESS);
    return stored.threadId;
}

std::string plainTextOf(Evas_Object* widget) {
    const char* markup = widget ? elm_object_text_get(widget) : nullptr;
    char* plain = markup ? elm_entry_markup_to_utf8(markup) : nullptr;
    std::string out = plain ? plain : "";
    free(plain);
    return out;
}

} // namespace msg_test
