/*
 * Writing one message with its parts, and the checks every incoming or sent
 * message passes first.
 */
#ifndef MSG_STORE_MESSAGEWRITER_H
#define MSG_STORE_MESSAGEWRITER_H

#include "device/Connection.h"
#include "msg_store/PhoneSide.h"

#include <string>

namespace msg_store {
namespace store {

// MSG_STORE_SUCCESS or MSG_STORE_ERR_INVALID_ARGUMENT (logged) for a message the store cannot hold.
int validate(const IncomingMessage& message);
bool isValidText(const std::string& text);

// Inserts the message and its parts into the thread; the caller refreshes the thread.
int insertMessage(msg_device::Connection& db, const IncomingMessage& message, int threadId,
                  const std::string& route, int& msgId);

// Finds or creates the message's thread, inserts it and refreshes the thread.
int addMessage(msg_device::Connection& db, const IncomingMessage& message, const std::string& route,
               int& msgId, int& threadId);

} // namespace store
} // namespace msg_store

#endif
