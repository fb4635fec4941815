/*
 * Network message service requests for one message.
 */
#ifndef MSG_STORE_NMS_H
#define MSG_STORE_NMS_H

// Asks for the body of an MMS that is not yet on the phone; a "msg_replaced" change follows.
int msg_store_nms_download_mms(int msgId);
// Sends a failed outbox message again through the network message service.
int msg_store_nms_resend_message(int msgId);

#endif
