// msg-sim commands of the watch's own messaging service: the block list,
// cell-broadcast options and messages arriving through the watch's modem.
// Sent messages of the watch are delivered or failed by the phone commands.
#include "SimWatchMsgCommands.h"

#include "SimCommand.h"
#include "SimContactJson.h"
#include "SimStoreOutput.h"
#include "msg.h"
#include "msg_service/WatchNetwork.h"
#include "msg_storage.h"
#include "phone_misc.h"

#include <cstdio>
#include <string>
#include <vector>

namespace msg_sim {

namespace {

// A handle for the command's duration.
class SimMsgHandle {
public:
    SimMsgHandle() { _result = msg_open_msg_handle(&_handle); }
    ~SimMsgHandle() {
        if (_handle)
            msg_close_msg_handle(&_handle);
    }
    SimMsgHandle(const SimMsgHandle&) = delete;
    SimMsgHandle& operator=(const SimMsgHandle&) = delete;
    msg_handle_t get() const { return _handle; }
    int result() const { return _result; }

private:
    msg_handle_t _handle = nullptr;
    int _result = MSG_SUCCESS;
};

struct FilterEntry {
    int id;
    std::string number;
};

bool readBlockFilters(msg_handle_t handle, std::vector<FilterEntry>& entries) {
    msg_struct_list_s list{};
    if (msg_get_filter_list(handle, &list) != MSG_SUCCESS)
        return false;
    for (int i = 0; i < list.nCount; ++i) {
        int id = 0, type = 0;
        char text[MSG_FILTER_VALUE_LEN + 1] = {};
        msg_get_int_value(list.msg_struct_info[i], MSG_FILTER_ID_INT, &id);
        msg_get_int_value(list.msg_struct_info[i], MSG_FILTER_TYPE_INT, &type);
        msg_get_str_value(list.msg_struct_info[i], MSG_FILTER_VALUE_STR, text, sizeof(text));
        if (type == MSG_FILTER_BY_ADDRESS_SAME)
            entries.push_back({id, text});
    }
    msg_release_list_struct(&list);
    return true;
}

int blockAdd(SimArgs& args, msg_handle_t handle, const std::string& number) {
    msg_struct_t filter = msg_create_struct(MSG_STRUCT_FILTER);
    msg_set_int_value(filter, MSG_FILTER_TYPE_INT, MSG_FILTER_BY_ADDRESS_SAME);
    int result =
        msg_set_str_value(filter, MSG_FILTER_VALUE_STR, number.c_str(), static_cast<int>(number.size()));
    if (result == MSG_SUCCESS)
        result = msg_add_filter(handle, filter);
    msg_release_struct(&filter);
    if (result != MSG_SUCCESS)
        return simFailure(args, "cannot block " + number + " (" + std::to_string(result) + ")");
    int callResult = phone_misc_block_insert(number.c_str(), PHONE_MISC_BLOCK_MATCH_EXACT);
    if (callResult != PHONE_MISC_ERROR_NONE && callResult != PHONE_MISC_ERROR_ALREADY_EXISTS)
        std::fprintf(stderr, "msg-sim block: calls from %s stay allowed (%d)\n", number.c_str(), callResult);
    if (args.json())
        JsonOut().begin().member("blocked", number).end().print();
    else
        std::printf("blocked %s\n", number.c_str());
    return 0;
}

int blockRemove(SimArgs& args, msg_handle_t handle, const std::string& number) {
    std::vector<FilterEntry> entries;
    if (!readBlockFilters(handle, entries))
        return simFailure(args, "cannot read the block list");
    bool removed = false;
    for (const FilterEntry& entry : entries) {
        if (entry.number == number)
            removed = msg_delete_filter(handle, entry.id) == MSG_SUCCESS;
    }
    phone_misc_block_delete(number.c_str());
    if (!removed)
        return simFailure(args, number + " is not blocked");
    if (args.json())
        JsonOut().begin().member("unblocked", number).end().print();
    else
        std::printf("unblocked %s\n", number.c_str());
    return 0;
}

int runBlock(SimArgs& args) {
    simTakeDevice(args);
    if (!args.ok(2))
        return simUsageError(args, args.error());
    const std::vector<std::string>& rest = args.rest();
    std::string action = rest.empty() ? "list" : rest[0];
    SimMsgHandle handle;
    if (handle.result() != MSG_SUCCESS)
        return simFailure(args,
                          "the messaging service is not available (" + std::to_string(handle.result()) + ")");
    if ((action == "add" || action == "remove") && rest.size() == 2)
        return action == "add" ? blockAdd(args, handle.get(), rest[1])
                               : blockRemove(args, handle.get(), rest[1]);
    if (action != "list" || rest.size() > 1)
        return simUsageError(args, "add NUMBER, remove NUMBER or list");
    std::vector<FilterEntry> entries;
    if (!readBlockFilters(handle.get(), entries))
        return simFailure(args, "cannot read the block list");
    std::vector<std::string> numbers;
    for (const FilterEntry& entry : entries)
        numbers.push_back(entry.number);
    if (args.json()) {
        JsonOut().begin().array("blocked", numbers).end().print();
        return 0;
    }
    for (const std::string& number : numbers)
        std::printf("%s\n", number.c_str());
    return 0;
}

// "FROM-TO" or "FROM-TO:NAME"; false when malformed.
bool parseChannel(const std::string& text, int& from, int& to, std::string& name) {
    size_t colon = text.find(':');
    std::string range = text.substr(0, colon);
    name = colon == std::string::npos ? std::string() : text.substr(colon + 1);
    size_t dash = range.find('-');
    if (dash == std::string::npos)
        return false;
    int parsedFrom = 0, parsedTo = 0;
    if (!simParseId(range.substr(0, dash), parsedFrom) || !simParseId(range.substr(dash + 1), parsedTo))
        return false;
    from = parsedFrom;
    to = parsedTo;
    return true;
}

void printCbOptions(const SimArgs& args, msg_struct_t options) {
    bool receive = false;
    msg_get_bool_value(options, MSG_CB_RECEIVE_BOOL, &receive);
    void* list = nullptr;
    msg_get_list_handle(options, MSG_CB_CHANNEL_LIST_HND, &list);
    auto* channels = static_cast<msg_list_handle_t>(list);
    JsonOut json;
    json.begin().member("receive", receive).beginArray("channels");
    if (!args.json())
        std::printf("receive: %s\n", receive ? "true" : "false");
    for (int i = 0; i < msg_list_length(channels); ++i) {
        msg_struct_t channel = msg_list_nth_data(channels, i);
        int from = 0, to = 0;
        char name[MSG_CB_CHANNEL_NAME_LEN + 1] = {};
        msg_get_int_value(channel, MSG_CB_CHANNEL_ID_FROM_INT, &from);
        msg_get_int_value(channel, MSG_CB_CHANNEL_ID_TO_INT, &to);
        msg_get_str_value(channel, MSG_CB_CHANNEL_NAME_STR, name, sizeof(name));
        json.begin().member("from", from).member("to", to).member("name", std::string(name)).end();
        if (!args.json())
            std::printf("channel %d-%d %s\n", from, to, name);
    }
    json.endArray().end();
    if (args.json())
        json.print();
}

int runCbOptions(SimArgs& args) {
    simTakeDevice(args);
    std::string receiveText, channelText;
    bool setReceive = args.option("--receive", receiveText);
    bool addChannel = args.option("--channel", channelText);
    bool clear = args.flag("--clear-channels");
    if (!args.ok())
        return simUsageError(args, args.error());
    if (setReceive && receiveText != "on" && receiveText != "off")
        return simUsageError(args, "--receive on|off");
    int from = 0, to = 0;
    std::string name;
    if (addChannel && !parseChannel(channelText, from, to, name))
        return simUsageError(args, "--channel FROM-TO[:NAME]");
    SimMsgHandle handle;
    if (handle.result() != MSG_SUCCESS)
        return simFailure(args, "the messaging service is not available");
    msg_struct_t options = msg_create_struct(MSG_STRUCT_SETTING_CB_OPT);
    int result = msg_get_cb_opt(handle.get(), options);
    if (result == MSG_SUCCESS && (setReceive || addChannel || clear)) {
        if (setReceive)
            msg_set_bool_value(options, MSG_CB_RECEIVE_BOOL, receiveText == "on");
        if (clear)
            msg_list_clear(options, MSG_CB_CHANNEL_LIST_HND);
        msg_struct_t channel = nullptr;
        if (addChannel && msg_list_add_item(options, MSG_CB_CHANNEL_LIST_HND, &channel) == MSG_SUCCESS) {
            msg_set_bool_value(channel, MSG_CB_CHANNEL_ACTIVATE_BOOL, true);
            msg_set_int_value(channel, MSG_CB_CHANNEL_ID_FROM_INT, from);
            msg_set_int_value(channel, MSG_CB_CHANNEL_ID_TO_INT, to);
            result = msg_set_str_value(channel, MSG_CB_CHANNEL_NAME_STR, name.c_str(),
                                       static_cast<int>(name.size()));
        }
        if (result == MSG_SUCCESS)
            result = msg_set_cb_opt(handle.get(), options);
    }
    if (result == MSG_SUCCESS)
        printCbOptions(args, options);
    msg_release_struct(&options);
    return result == MSG_SUCCESS
               ? 0
               : simFailure(args, "cannot change the options (" + std::to_string(result) + ")");
}

int runWatchNet(SimArgs& args) {
    simTakeDevice(args);
    std::string from, text;
    bool hasFrom = args.option("--from", from);
    args.option("--text", text);
    if (!args.ok(1))
        return simUsageError(args, args.error());
    if (args.rest().empty() || args.rest()[0] != "receive")
        return simUsageError(args, "receive --from NUMBER --text TEXT");
    if (!hasFrom || from.empty() || text.empty())
        return simUsageError(args, "--from NUMBER and --text TEXT are required");
    int msgId = -1, folder = 0;
    int result = msg_service::WatchNetwork::receive({from, text, {}}, &msgId, &folder);
    if (result != 0)
        return simStoreResult(args, result, "cannot receive the message");
    std::printf(args.json() ? "{\"id\": %d, \"folder\": %d}\n" : "received message %d in folder %d\n", msgId,
                folder);
    return 0;
}

} // namespace

} // namespace msg_sim

void msg_sim::registerWatchMsgCommands() {
    addSimCommand({"block", "add NUMBER | remove NUMBER | list",
                   "block or unblock a number's messages and calls on the watch", runBlock});
    addSimCommand({"cb-options", "[--receive on|off] [--clear-channels] [--channel FROM-TO[:NAME]]",
                   "show or change the cell-broadcast options", runCbOptions});
    addSimCommand({"watch-net", "receive --from NUMBER --text TEXT",
                   "a message arrives through the watch's own modem (blocked senders go to spam)",
                   runWatchNet});
}
