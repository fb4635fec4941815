/*
 * An MMS body (MSG_STRUCT_MMS) to the store's message parts and back.
 */
#ifndef MSG_SERVICES_MSGMMSCONTENTS_H
#define MSG_SERVICES_MSGMMSCONTENTS_H

#include "MsgStruct.h"
#include "msg_store/Content.h"

#include <vector>

namespace msg_service {

// The parts of an MMS body in page order, then its attachments; the MMS size
// (texts and files) goes into *size. An error code when a file cannot be read.
int mmsToContents(const msg_struct& mms, std::vector<msg_store::Content>& contents, long long* size);
// One page holding every part shown inline; other parts become attachments.
void contentsToMms(const std::vector<msg_store::Content>& contents, msg_struct& mms);

} // namespace msg_service

#endif
