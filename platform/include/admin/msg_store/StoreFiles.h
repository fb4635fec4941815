/*
 * The store's own copies of the files of the messages it keeps. A message
 * handed over for sending names files in its sender's folders, which the
 * sender may remove as soon as it is done; the stored message refers to a
 * copy in the store's folder instead, which lives as long as the device.
 */
#ifndef MSG_STORE_STOREFILES_H
#define MSG_STORE_STOREFILES_H

#include <string>

namespace msg_store {

// Copies the regular file at path into the store's folder (<device>/msg-store/parts/) and gives the
// copy's path, which ends in the original's name. False (logged) when it cannot be copied whole.
bool keepFile(const std::string& path, std::string& keptPath);

} // namespace msg_store

#endif
