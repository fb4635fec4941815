/*
 * Reading the store's rows into the client's records.
 */
#ifndef MSG_STORE_STORERECORDS_H
#define MSG_STORE_STORERECORDS_H

#include "device/Connection.h"
#include "msg_store/Content.h"
#include "msg_store/Conversation.h"
#include "msg_store/Message.h"
#include "msg_store/Thread.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace msg_store {
namespace store {

// Column list and source for message rows; readMessageRow expects this order.
#define MSG_STORE_MESSAGE_SELECT                                                                             \
    "SELECT m.id, m.thread_id, m.item_id, m.type, m.folder, m.status, m.sim, m.time, m.is_read,"             \
    " m.is_protected, m.hide_watch_icon, m.address, m.subject, m.text, t.is_group"                           \
    " FROM ms_messages m JOIN ms_threads t ON t.id = m.thread_id "

// Only the conversation view reads these flags.
inline void readConversationFlags(const msg_device::Statement& row, Conversation& record) {
    record.isProtected = row.columnInt(9) != 0;
    record.hideWatchIcon = row.columnInt(10) != 0;
}
inline void readConversationFlags(const msg_device::Statement&, Message&) {}

// Fills the fields of a message row.
template <typename Record> void readMessageRow(const msg_device::Statement& row, Record& record) {
    record.msgId = row.columnInt(0);
    record.threadId = row.columnInt(1);
    record.itemId = row.columnInt(2);
    record.msgType = row.columnText(3);
    record.folderType = static_cast<FolderType>(row.columnInt(4));
    record.networkStatus = static_cast<NetworkStatus>(row.columnInt(5));
    record.simIndex = row.columnInt(6);
    record.time = row.columnInt64(7);
    record.isRead = row.columnInt(8) != 0;
    record.address = row.columnText(11);
    record.subject = row.columnText(12);
    record.text = row.columnText(13);
    record.isGroupChat = row.columnInt(14) != 0;
    readConversationFlags(row, record);
}

// Column list and source for content rows, the owning message id first.
#define MSG_STORE_CONTENT_SELECT                                                                             \
    "SELECT c.msg_id, c.id, c.is_attachment, c.media_type, c.transfer_status, c.mime, c.text, c.file_path,"  \
    " c.file_name, c.thumbnail_path, c.download_name FROM ms_contents c "

Content readContentRow(const msg_device::Statement& row);

// Attaches the content rows that `select` yields (ordered by position) to the records with
// their message ids. False when the query failed.
template <typename Record> bool attachContents(msg_device::Statement& select, std::vector<Record>& records) {
    std::unordered_map<int, size_t> byId;
    for (size_t i = 0; i < records.size(); ++i)
        byId.emplace(records[i].msgId, i);
    while (select.step()) {
        auto it = byId.find(select.columnInt(0));
        if (it != byId.end())
            records[it->second].contents.push_back(readContentRow(select));
    }
    return !select.failed();
}

#define MSG_STORE_THREAD_SELECT                                                                              \
    "SELECT t.id, t.unread_count, t.msg_count, m.folder, m.status, m.sim, t.time, m.type, m.subject,"        \
    " substr(m.text, 1, 200), t.is_group FROM ms_threads t LEFT JOIN ms_messages m ON m.id = t.last_msg_id "

Thread readThreadRow(const msg_device::Statement& row);

} // namespace store
} // namespace msg_store

#endif
