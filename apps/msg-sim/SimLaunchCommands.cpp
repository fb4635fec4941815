// msg-sim launches, reply and apps: the launch journal and the installed applications.
#include "SimLaunchCommands.h"

#include "AppRegistry.h"
#include "LaunchJournal.h"
#include "SimCommand.h"
#include "SimLaunchReply.h"
#include "SimSettingsOutput.h"

#include <cstdio>

namespace {

using msg_services::AppRegistry;
using msg_services::LaunchEntry;
using msg_services::LaunchJournal;

// The request's extras as "key=value" pairs for the readable listing.
std::string extrasText(const std::string& requestJson) {
    JsonParser* parser = json_parser_new();
    std::string text;
    if (json_parser_load_from_data(parser, requestJson.c_str(), -1, nullptr)) {
        JsonNode* root = json_parser_get_root(parser);
        JsonObject* object = root && JSON_NODE_HOLDS_OBJECT(root) ? json_node_get_object(root) : nullptr;
        JsonNode* extra = object ? json_object_get_member(object, "extra") : nullptr;
        if (extra && JSON_NODE_HOLDS_OBJECT(extra)) {
            JsonGenerator* generator = json_generator_new();
            json_generator_set_root(generator, extra);
            gchar* data = json_generator_to_data(generator, nullptr);
            text = data;
            g_free(data);
            g_object_unref(generator);
        }
    }
    g_object_unref(parser);
    return text;
}

void addMember(JsonBuilder* builder, const char* name, const std::string& value) {
    json_builder_set_member_name(builder, name);
    json_builder_add_string_value(builder, value.c_str());
}

void addParsed(JsonBuilder* builder, const char* name, const std::string& json) {
    JsonParser* parser = json_parser_new();
    json_builder_set_member_name(builder, name);
    if (!json.empty() && json_parser_load_from_data(parser, json.c_str(), -1, nullptr))
        json_builder_add_value(builder, json_node_copy(json_parser_get_root(parser)));
    else
        json_builder_add_null_value(builder);
    g_object_unref(parser);
}

void printLaunches(const msg_sim::SimArgs& args, const std::vector<LaunchEntry>& entries) {
    if (!args.json()) {
        for (const auto& e : entries) {
            std::printf("#%lld %s -> %s [%s%s]%s\n", static_cast<long long>(e.id), e.caller.c_str(),
                        e.target.c_str(), e.status.c_str(),
                        e.terminateRequested ? ", terminate requested" : "",
                        e.replied ? (" reply " + std::to_string(e.result)).c_str() : "");
            if (!e.operation.empty() || !e.uri.empty())
                std::printf("    operation %s uri %s\n", e.operation.c_str(), e.uri.c_str());
            std::printf("    mode %s extras %s\n", e.launchMode == 1 ? "group" : "single",
                        extrasText(e.request).c_str());
        }
        return;
    }
    JsonBuilder* builder = json_builder_new();
    json_builder_begin_array(builder);
    for (const auto& e : entries) {
        json_builder_begin_object(builder);
        json_builder_set_member_name(builder, "id");
        json_builder_add_int_value(builder, e.id);
        json_builder_set_member_name(builder, "time_ms");
        json_builder_add_int_value(builder, e.timeMs);
        addMember(builder, "caller", e.caller);
        addMember(builder, "target", e.target);
        addMember(builder, "status", e.status);
        json_builder_set_member_name(builder, "pid");
        json_builder_add_int_value(builder, e.pid);
        json_builder_set_member_name(builder, "wants_reply");
        json_builder_add_boolean_value(builder, e.wantsReply);
        json_builder_set_member_name(builder, "terminate_requested");
        json_builder_add_boolean_value(builder, e.terminateRequested);
        addParsed(builder, "request", e.request);
        json_builder_set_member_name(builder, "result");
        if (e.replied)
            json_builder_add_int_value(builder, e.result);
        else
            json_builder_add_null_value(builder);
        addParsed(builder, "reply", e.reply);
        json_builder_end_object(builder);
    }
    json_builder_end_array(builder);
    msg_sim::printJson(json_builder_get_root(builder));
    g_object_unref(builder);
}

int runLaunches(msg_sim::SimArgs& args) {
    std::string limitText;
    bool hasLimit = args.option("--limit", limitText);
    if (!args.ok())
        return msg_sim::simUsageError(args, args.error());
    long long limit = 0;
    if (hasLimit && !msg_sim::parseCount(limitText, limit))
        return msg_sim::simUsageError(args, "--limit needs a number");
    printLaunches(args, LaunchJournal::list(static_cast<size_t>(limit)));
    return 0;
}

// Answers a journalled request as the target application would (for the device's applications we do
// not ship: the connection popup, the contacts picker, ...).
int runReply(msg_sim::SimArgs& args) {
    std::string resultText = "0";
    args.option("--result", resultText);
    std::vector<std::pair<std::string, std::string>> extras;
    for (std::string pair; args.option("--extra", pair);) {
        size_t eq = pair.find('=');
        if (eq == std::string::npos || eq == 0)
            return msg_sim::simUsageError(args, "--extra takes KEY=VALUE");
        extras.emplace_back(pair.substr(0, eq), pair.substr(eq + 1));
    }
    long long id = 0;
    bool valid = args.ok(1) && args.rest().size() == 1 && msg_sim::parseCount(args.rest()[0], id);
    int result = 0;
    try {
        result = std::stoi(resultText);
    } catch (...) {
        valid = false;
    }
    if (!valid)
        return msg_sim::simUsageError(args, args.error().empty() ? "give a launch id and a numeric --result"
                                                                 : args.error());
    switch (msg_sim::recordLaunchReply(id, result, extras)) {
    case LaunchJournal::ReplyResult::Ok:
        return 0;
    case LaunchJournal::ReplyResult::NotFound:
        return msg_sim::simFailure(args, "no launch #" + std::to_string(id));
    case LaunchJournal::ReplyResult::AlreadyReplied:
        return msg_sim::simFailure(args, "launch #" + std::to_string(id) + " was answered already");
    case LaunchJournal::ReplyResult::Failed:
        break;
    }
    return msg_sim::simFailure(args, "cannot store the reply");
}

int runApps(msg_sim::SimArgs& args) {
    if (!args.ok())
        return msg_sim::simUsageError(args, args.error());
    for (const auto& app : AppRegistry::all()) {
        std::string ops;
        for (const auto& op : app.operations)
            ops += (ops.empty() ? "" : " ") + op.substr(op.rfind('/') + 1);
        std::printf("%-40s %-12s %s%s\n", app.appId.c_str(),
                    app.executable.empty() ? "-" : app.executable.c_str(), ops.c_str(),
                    app.enabled ? "" : " (disabled)");
    }
    return 0;
}

} // namespace

LaunchJournal::ReplyResult
msg_sim::recordLaunchReply(int64_t id, int result,
                           const std::vector<std::pair<std::string, std::string>>& extras) {
    JsonBuilder* extra = json_builder_new();
    json_builder_begin_object(extra);
    for (const auto& [key, value] : extras) {
        json_builder_set_member_name(extra, key.c_str());
        json_builder_add_string_value(extra, value.c_str());
    }
    json_builder_end_object(extra);
    LaunchEntry entry;
    std::string target = LaunchJournal::find(id, entry) ? entry.target : std::string();
    JsonBuilder* reply = json_builder_new();
    json_builder_begin_object(reply);
    addMember(reply, "caller", target);
    json_builder_set_member_name(reply, "extra");
    json_builder_add_value(reply, json_builder_get_root(extra));
    json_builder_end_object(reply);
    JsonGenerator* generator = json_generator_new();
    JsonNode* root = json_builder_get_root(reply);
    json_generator_set_root(generator, root);
    gchar* text = json_generator_to_data(generator, nullptr);
    LaunchJournal::ReplyResult outcome = LaunchJournal::recordReply(id, result, text);
    g_free(text);
    json_node_unref(root);
    g_object_unref(generator);
    g_object_unref(reply);
    g_object_unref(extra);
    return outcome;
}

int msg_sim::answerPicker(const SimArgs& args, int64_t id, const char* appId, const char* pickerName,
                          bool cancel, const std::vector<std::pair<std::string, std::string>>& extras) {
    const std::string launch = "launch #" + std::to_string(id);
    LaunchEntry entry;
    if (!LaunchJournal::find(id, entry) || entry.target != appId)
        return simFailure(args, launch + " is no " + pickerName + " request");
    switch (
        recordLaunchReply(id, cancel ? APP_CONTROL_RESULT_CANCELED : APP_CONTROL_RESULT_SUCCEEDED, extras)) {
    case LaunchJournal::ReplyResult::Ok:
        return 0;
    case LaunchJournal::ReplyResult::AlreadyReplied:
        return simFailure(args, launch + " was answered already");
    default:
        return simFailure(args, "cannot store the answer");
    }
}

void msg_sim::registerLaunchCommands() {
    addSimCommand({"launches", "[--limit N]", "shows the launch journal", runLaunches});
    addSimCommand({"reply", "ID [--result N] [--extra KEY=VALUE]...",
                   "answers a journalled launch request as its target would", runReply});
    addSimCommand({"apps", "", "lists the installed applications", runApps});
}
