// Every manager and record of the message-store client.
#ifndef MSG_STORE_MSGSTORE_H
#define MSG_STORE_MSGSTORE_H

#include "msg_store/ConnectionManager.h"
#include "msg_store/ContentManager.h"
#include "msg_store/MessageManager.h"
#include "msg_store/MsgOperationManager.h"
#include "msg_store/NmsManager.h"
#include "msg_store/ThreadManager.h"
#include "msg_store/msg_store_nms.h"

#endif
