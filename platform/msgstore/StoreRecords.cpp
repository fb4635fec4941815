#include "StoreRecords.h"

namespace msg_store {
namespace store {

Content readContentRow(const msg_device::Statement& row) {
    Content content;
    content.contentId = row.columnInt(1);
    content.isAttachment = row.columnInt(2) != 0;
    content.mediaType = static_cast<Content::MediaType>(row.columnInt(3));
    content.transferStatus = static_cast<Content::TransferStatus>(row.columnInt(4));
    content.mimeType = row.columnText(5);
    content.text = row.columnText(6);
    content.filePath = row.columnText(7);
    content.fileName = row.columnText(8);
    content.thumbnailPath = row.columnText(9);
    content.downloadName = row.columnText(10);
    return content;
}

Thread readThreadRow(const msg_device::Statement& row) {
    Thread thread;
    thread.threadId = row.columnInt(0);
    thread.unreadCount = row.columnInt(1);
    thread.msgCount = row.columnInt(2);
    thread.folderType = static_cast<FolderType>(row.columnInt(3));
    thread.networkStatus = static_cast<NetworkStatus>(row.columnInt(4));
    thread.simIndex = row.columnInt(5);
    thread.time = row.columnInt64(6);
    thread.msgType = row.columnText(7);
    thread.subject = row.columnText(8);
    thread.snippet = row.columnText(9);
    thread.isGroupChat = row.columnInt(10) != 0;
    return thread;
}

} // namespace store
} // namespace msg_store
