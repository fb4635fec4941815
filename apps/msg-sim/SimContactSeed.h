/*
 * The demo address book and call log that seed-contacts writes.
 */
#ifndef MSG_SIM_SIMCONTACTSEED_H
#define MSG_SIM_SIMCONTACTSEED_H

#include "contacts/ContactsAdmin.h"

#include <vector>

namespace msg_sim {

std::vector<contacts_admin::Person> seedAddressBook();
std::vector<contacts_admin::CallLogEntry> seedCallLog();

} // namespace msg_sim

#endif
