/*
 * One address of a conversation.
 */
#ifndef MSG_STORE_ADDRESS_H
#define MSG_STORE_ADDRESS_H

#include "msg_store/MsgStoreTypes.h"

#include <string>

namespace msg_store {

struct Address {
    AddressType addressType = ADDRESS_TYPE_PHONE;
    std::string address;
};

} // namespace msg_store

#endif
