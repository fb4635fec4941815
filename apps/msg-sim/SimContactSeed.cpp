#include "SimContactSeed.h"

#include <ctime>

namespace msg_sim {

std::vector<contacts_admin::Person> seedAddressBook() {
    // Numbers in the ranges set aside for fiction (555-01xx in North America, 07700 900xxx in
    // the UK), so the demo never names a real subscriber; one person has two numbers and one
    // name is in Korean script.
    return {
        {0, "Alice Moreau", {"+14155550101", "+14155550102"}},
        {0, "Ben Okafor", {"+14155550103"}},
        {0, "Chloé Lambert", {"+447700900104"}},
        {0, "David Kim", {"+14155550105"}},
        {0, "Emma Schulz", {"+14155550106"}},
        {0, "Farid Haddad", {"+447700900107"}},
        {0, "Grace Liu", {"+14155550108"}},
        {0, "Hannah Berg", {"+14155550109"}},
        {0, "Isaac Novak", {"+447700900110"}},
        {0, "김민준", {"+821055501111"}},
        {0, "Mum", {"+14155550112"}},
        {0, "Office", {"+14155550113"}},
    };
}

std::vector<contacts_admin::CallLogEntry> seedCallLog() {
    const int64_t now = static_cast<int64_t>(std::time(nullptr));
    return {
        {"+14155550103", now - 3600, 1},       // Ben, incoming
        {"+14155550198", now - 2 * 3600, 5},   // unknown, missed
        {"+14155550101", now - 26 * 3600, 2},  // Alice, outgoing
        {"+447700900199", now - 50 * 3600, 1}, // unknown, incoming
        {"+14155550198", now - 70 * 3600, 9},  // the unknown again, rejected
    };
}

} // namespace msg_sim
