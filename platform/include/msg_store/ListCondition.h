/*
 * Which messages getMessages lists.
 */
#ifndef MSG_STORE_LISTCONDITION_H
#define MSG_STORE_LISTCONDITION_H

#include "msg_store/MsgStoreTypes.h"

namespace msg_store {

struct ListCondition {
    // 1: newest first (equal times: higher id first); 0: oldest first.
    int newestFirst = 0;
    // Only messages of this folder; FOLDER_NONE for every folder. Either spam folder lists both:
    // the blocked messages of the phone and of the watch.
    FolderType folderFilter = FOLDER_NONE;
};

} // namespace msg_store

#endif
