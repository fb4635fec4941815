/*
 * The one block list that every road of incoming messages obeys: the paired
 * phone filters what it passes on by it (the watch keeps the phone's list in
 * step with its own), and the watch's own modem likewise.
 */
#ifndef MSG_SERVICE_BLOCKFILTER_H
#define MSG_SERVICE_BLOCKFILTER_H

#include "msg_store/MsgStoreTypes.h"

#include <string>

namespace msg_service {

// The folder of a message for `inbox` (the phone's inbox, 1, or the watch's, 101): that side's
// spam folder (5 or 105) when a filter stops the sender or the text, else `inbox`. A list that
// cannot be read stops nothing (logged): a message is never lost for it.
msg_store::FolderType filtered_folder(const std::string& from, const std::string& text,
                                      msg_store::FolderType inbox);

} // namespace msg_service

#endif
