/*
 * What counts as a phone number for the watch's modem and its block list.
 */
#ifndef MSG_SERVICES_MSGADDRESS_H
#define MSG_SERVICES_MSGADDRESS_H

#include <string>

namespace msg_service {

constexpr size_t kMaxNumberLength = 40;

// Digits (at least one) with an optional leading '+', '*' and '#' allowed; at most 40 characters.
bool isValidNumber(const std::string& number);

} // namespace msg_service

#endif
