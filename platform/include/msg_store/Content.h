/*
 * One part of an MMS: a text, a picture, a sound or another attached file.
 */
#ifndef MSG_STORE_CONTENT_H
#define MSG_STORE_CONTENT_H

#include <string>

namespace msg_store {

struct Content {
    enum MediaType : int {
        MEDIA_TYPE_NONE = 0,
        MEDIA_TYPE_TEXT = 1,
        MEDIA_TYPE_IMAGE = 2,
        MEDIA_TYPE_VIDEO = 3,
        MEDIA_TYPE_AUDIO = 4,
    };
    // Whether the file is on the watch yet; only parts without a file path are asked from the phone.
    enum TransferStatus : int {
        TRANSFER_NONE = 0,
        TRANSFER_DOWNLOADING = 1,
        TRANSFER_FAILED = 2,
        TRANSFER_DOWNLOADED = 3,
    };

    int contentId = -1;
    bool isAttachment = false;
    MediaType mediaType = MEDIA_TYPE_NONE;
    TransferStatus transferStatus = TRANSFER_NONE;
    std::string mimeType;
    std::string text;
    std::string filePath;
    std::string fileName;
    std::string thumbnailPath;
    // The name under which the phone offers the file.
    std::string downloadName;
};

} // namespace msg_store

#endif
