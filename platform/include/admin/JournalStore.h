/*
 * The device's journals in one table, by stream: "journal" (journal_log),
 * "usage" (the usage-log provider), "trace", "feedback" and "power". Each
 * entry is also announced on the topic "journal/<stream>".
 */
#ifndef MSG_SERVICES_JOURNALSTORE_H
#define MSG_SERVICES_JOURNALSTORE_H

#include <cstdint>
#include <string>
#include <vector>

namespace msg_services {

struct JournalEntry {
    int64_t seq = 0;
    int64_t timeMs = 0;
    std::string stream;
    std::string app;
    std::string category;
    std::string text;
};

class JournalStore {
public:
    // The entry is written for the running application unless app is given.
    static bool append(const std::string& stream, const std::string& category, const std::string& text,
                       const std::string& app = std::string());
    // Newest last; an empty stream means every stream; limit 0 means all.
    static std::vector<JournalEntry> list(const std::string& stream, size_t limit = 0);
    static bool clear(const std::string& stream);
};

} // namespace msg_services

#endif
