/*
 * The thread rule of messaging handles: a handle works only on the thread
 * that opened it.
 */
#ifndef MSG_SERVICES_MSGHANDLE_H
#define MSG_SERVICES_MSGHANDLE_H

#include "msg_types.h"

namespace msg_service {

// MSG_SUCCESS for a live handle of the calling thread, else the error to return (logged).
int checkHandle(msg_handle_t handle);

} // namespace msg_service

#endif
