/*
 * Whether picture messages can be sent from here: the device, its policy and the phone.
 */
#ifndef MSG_APP_COMMON_COMMONUTILMMS_H
#define MSG_APP_COMMON_COMMONUTILMMS_H

namespace msg_app {
namespace common_util {

bool is_support_MMS();

} // namespace common_util
} // namespace msg_app

#endif
