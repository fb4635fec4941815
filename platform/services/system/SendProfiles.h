// The device profiles of sending: flight mode, SIM and network states, policy, storage, carriers.
#ifndef MSG_SERVICES_SENDPROFILES_H
#define MSG_SERVICES_SENDPROFILES_H

#include "DeviceProfiles.h"

#include <vector>

namespace msg_services {

std::vector<DeviceProfile> sendProfiles();

} // namespace msg_services

#endif
