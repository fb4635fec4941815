#include "SimContactSeed.h"

#include <ctime>

namespace msg_sim {

std::vector<contacts_admin::Person> seedAddressBook() {
    // Some of the demo conversations' numbers (msg-sim seed), so that the list shows names for
    // those and bare numbers for the rest; one person has two numbers and one name is in Korean script.
    return {
        {0, "Ava Thompson", {"+15550100001", "+15550100046"}},
        {0, "Liam Carter", {"+15550100002"}},
        {0, "Mia Lopez", {"+15550100003"}},
        {0, "Noah Kim", {"+15550100004"}},
        {0, "Olivia Chen", {"+15550100007"}},
        {0, "Lucas Meyer", {"+15550100008"}},
        {0, "Emma Dubois", {"+15550100012"}},
        {0, "Isla Novak", {"+15550100014"}},
        {0, "김민준", {"+15550100019"}},
        {0, "Mum", {"+15550100021"}},
        {0, "Office", {"+15550100024"}},
    };
}

std::vector<contacts_admin::CallLogEntry> seedCallLog() {
    const int64_t now = static_cast<int64_t>(std::time(nullptr));
    return {
        {"+15550100002", now - 3600, 1},       // Liam, incoming
        {"+14155550198", now - 2 * 3600, 5},   // unknown, missed
        {"+15550100001", now - 26 * 3600, 2},  // Ava, outgoing
        {"+447700900199", now - 50 * 3600, 1}, // unknown, incoming
        {"+14155550198", now - 70 * 3600, 9},  // the unknown again, rejected
    };
}

} // namespace msg_sim
