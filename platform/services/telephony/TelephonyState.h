/*
 * The watch modem's state as device settings: what is stored, else what
 * follows from the SIM and the mobile-network setting. msg-sim writes the
 * same keys.
 */
#ifndef MSG_PLATFORM_TELEPHONY_TELEPHONYSTATE_H
#define MSG_PLATFORM_TELEPHONY_TELEPHONYSTATE_H

#include <string>

namespace telephony_state {

constexpr const char* kModemPowerKey = "memory/telephony/modem_power";
constexpr const char* kRoamingKey = "memory/telephony/roaming_status";
constexpr const char* kServiceTypeKey = "memory/telephony/service_type";
constexpr const char* kPlmnKey = "memory/telephony/plmn";
constexpr const char* kDefaultPlmn = "310260";

// The stored power state, else the one the mobile-network setting starts the modem in.
int modemPower();
bool setModemPower(int state);
int roamingStatus();
// No service while the modem is not on; else the stored type, else LTE with a SIM and none without.
int serviceType();
std::string plmn();

} // namespace telephony_state

#endif
