/*
 * Files of MMS parts that are still on the phone.
 */
#ifndef MSG_STORE_CONTENTMANAGER_H
#define MSG_STORE_CONTENTMANAGER_H

#include <string>

namespace msg_store {

class ContentManager {
public:
    // Asks the phone for the part's file; the part is marked downloading, and a content-changed
    // event (type 2) follows when the file has arrived.
    int downloadContentFile(int contentId, const std::string& downloadName);
};

} // namespace msg_store

#endif
