// msg-sim journal: the platform journal, the usage log, traces, feedback and power locks.
#include "SimJournalCommands.h"

#include "JournalStore.h"
#include "SimCommand.h"
#include "SimSettingsOutput.h"

#include <cstdio>
#include <ctime>

namespace {

using msg_services::JournalEntry;
using msg_services::JournalStore;

std::string clockTime(int64_t timeMs) {
    time_t seconds = static_cast<time_t>(timeMs / 1000);
    struct tm local {};
    localtime_r(&seconds, &local);
    char text[32];
    std::snprintf(text, sizeof(text), "%02d:%02d:%02d.%03d", local.tm_hour, local.tm_min, local.tm_sec,
                  static_cast<int>(timeMs % 1000));
    return text;
}

void printEntries(const msg_sim::SimArgs& args, const std::vector<JournalEntry>& entries) {
    if (!args.json()) {
        for (const auto& e : entries)
            std::printf("%5lld %s %-8s %-28s %-12s %s\n", static_cast<long long>(e.seq),
                        clockTime(e.timeMs).c_str(), e.stream.c_str(), e.app.c_str(), e.category.c_str(),
                        e.text.c_str());
        return;
    }
    JsonBuilder* builder = json_builder_new();
    json_builder_begin_array(builder);
    for (const auto& e : entries) {
        json_builder_begin_object(builder);
        json_builder_set_member_name(builder, "seq");
        json_builder_add_int_value(builder, e.seq);
        json_builder_set_member_name(builder, "time_ms");
        json_builder_add_int_value(builder, e.timeMs);
        for (const auto& [name, value] : {std::pair<const char*, const std::string&>{"stream", e.stream},
                                          {"app", e.app},
                                          {"category", e.category},
                                          {"text", e.text}}) {
            json_builder_set_member_name(builder, name);
            json_builder_add_string_value(builder, value.c_str());
        }
        json_builder_end_object(builder);
    }
    json_builder_end_array(builder);
    msg_sim::printJson(json_builder_get_root(builder));
    g_object_unref(builder);
}

int runJournal(msg_sim::SimArgs& args) {
    std::string stream = "journal";
    std::string limitText;
    args.option("--stream", stream);
    bool hasLimit = args.option("--limit", limitText);
    bool clear = args.flag("--clear");
    if (!args.ok())
        return msg_sim::simUsageError(args, args.error());
    if (stream == "all")
        stream.clear();
    long long limit = 0;
    if (hasLimit && !msg_sim::parseCount(limitText, limit))
        return msg_sim::simUsageError(args, "--limit needs a number");
    if (clear)
        return JournalStore::clear(stream) ? 0 : msg_sim::simFailure(args, "cannot clear the journal");
    printEntries(args, JournalStore::list(stream, static_cast<size_t>(limit)));
    return 0;
}

} // namespace

void msg_sim::registerJournalCommands() {
    addSimCommand({"journal", "[--stream journal|usage|trace|feedback|power|all] [--limit N] [--clear]",
                   "shows the device's journals", runJournal});
}
