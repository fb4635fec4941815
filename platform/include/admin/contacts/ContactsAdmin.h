/*
 * Writes to the device's address book and call log, as the device's own
 * contacts and call applications would: the simulator and test fixtures use it.
 * Every write is one transaction and notifies the "contacts" change-feed topic,
 * so running applications' contacts_db_changed_cb fire.
 */
#ifndef MSG_PLATFORM_CONTACTS_CONTACTSADMIN_H
#define MSG_PLATFORM_CONTACTS_CONTACTSADMIN_H

#include <cstdint>
#include <string>
#include <vector>

namespace msg_device {
class Device;
}

namespace contacts_admin {

// The change-feed topic; the payload is "contact" or "phone_log".
constexpr const char* kChangeTopic = "contacts";

struct Person {
    int id = 0;
    std::string displayName;
    std::vector<std::string> numbers;
};

struct CallLogEntry {
    std::string address;
    int64_t time = 0; // seconds since the epoch
    int type = 1;     // contacts_phone_log_type_e
};

// Each returns false (logged) on a null device, bad input or a database error, and changes nothing then.
// A display name must be non-empty valid UTF-8; numbers must be non-empty.
bool addPerson(msg_device::Device* device, const std::string& displayName,
               const std::vector<std::string>& numbers, int* outId);
bool editPerson(msg_device::Device* device, int id, const std::string& displayName,
                const std::vector<std::string>& numbers);
bool deletePerson(msg_device::Device* device, int id);
bool addCallLog(msg_device::Device* device, const CallLogEntry& entry, int* outId);
// Adds many persons, or call-log entries, in one transaction (seeding); all or nothing.
bool addPersons(msg_device::Device* device, const std::vector<Person>& persons);
bool addCallLogs(msg_device::Device* device, const std::vector<CallLogEntry>& entries);

bool listPersons(msg_device::Device* device, std::vector<Person>& out);
bool findPerson(msg_device::Device* device, int id, Person& out);
bool listCallLog(msg_device::Device* device, std::vector<CallLogEntry>& out);

} // namespace contacts_admin

#endif
