#include "SimStoreOutput.h"

#include "device/Device.h"
#include "msg_store/MsgStoreTypes.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace msg_sim {

void simTakeDevice(SimArgs& args) {
    std::string dir;
    if (args.option("--device", dir))
        setenv("MSG_DEVICE_DIR", dir.c_str(), 1);
}

bool simParseId(const std::string& text, int& id) {
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    id = std::atoi(text.c_str());
    return id > 0;
}

const char* simResultText(int result) {
    switch (result) {
    case msg_store::MSG_STORE_SUCCESS:
        return "done";
    case msg_store::MSG_STORE_ERR_INVALID_ARGUMENT:
        return "invalid argument";
    case msg_store::MSG_STORE_ERR_NOT_FOUND:
        return "not found";
    case msg_store::MSG_STORE_ERR_NOT_CONNECTED:
        return "the device's message store cannot be opened";
    case msg_store::MSG_STORE_ERR_DB:
        return "database error";
    case msg_store::MSG_STORE_ERR_READ_ONLY:
        return "the device folder is read-only: changes cannot be saved";
    case msg_store::MSG_STORE_ERR_STORAGE_FULL:
        return "disk full: the change was not saved";
    }
    return "unknown error";
}

std::string simWriteFailure() {
    msg_device::Device* device = msg_device::Device::getDefault();
    msg_device::Device::Failure failure = msg_device::Device::lastWriteFailure();
    if (failure == msg_device::Device::Failure::NONE && device)
        failure = device->readOnlyReason();
    if (failure == msg_device::Device::Failure::NONE || !device)
        return "";
    return ": " + device->describe(failure) + ", changes cannot be saved";
}

int simStoreResult(const SimArgs& args, int result, const std::string& what) {
    if (result == msg_store::MSG_STORE_SUCCESS)
        return 0;
    return simFailure(args, what + ": " + simResultText(result));
}

std::string simFormatTime(int64_t timeMs) {
    time_t seconds = static_cast<time_t>(timeMs / 1000);
    struct tm local;
    localtime_r(&seconds, &local);
    char text[32];
    strftime(text, sizeof(text), "%Y-%m-%d %H:%M", &local);
    return text;
}

const char* simFolderName(int folder) {
    switch (folder) {
    case msg_store::FOLDER_INBOX:
        return "inbox";
    case msg_store::FOLDER_OUTBOX:
        return "outbox";
    case msg_store::FOLDER_SENT:
        return "sent";
    case msg_store::FOLDER_DRAFT:
        return "draft";
    case msg_store::FOLDER_SPAM:
        return "spam";
    case msg_store::FOLDER_WATCH_INBOX:
        return "watch-inbox";
    case msg_store::FOLDER_WATCH_OUTBOX:
        return "watch-outbox";
    case msg_store::FOLDER_WATCH_SENT:
        return "watch-sent";
    case msg_store::FOLDER_WATCH_DRAFT:
        return "watch-draft";
    case msg_store::FOLDER_WATCH_SPAM:
        return "watch-spam";
    }
    return "none";
}

const char* simStatusName(int status) {
    switch (status) {
    case msg_store::NETWORK_STATUS_SENDING:
    case msg_store::NETWORK_STATUS_SEND_PENDING:
        return "sending";
    case msg_store::NETWORK_STATUS_SEND_SUCCESS:
        return "sent";
    case msg_store::NETWORK_STATUS_NOT_RETRIEVED:
    case msg_store::NETWORK_STATUS_RETRIEVE_FAIL:
        return "not-downloaded";
    case msg_store::NETWORK_STATUS_NONE:
    case msg_store::NETWORK_STATUS_RETRIEVE_SUCCESS:
    case msg_store::NETWORK_STATUS_DELIVERED:
    case msg_store::NETWORK_STATUS_RETRIEVING:
        return "";
    }
    return "failed";
}

void simJsonInt(JsonBuilder* builder, const char* name, int64_t value) {
    json_builder_set_member_name(builder, name);
    json_builder_add_int_value(builder, value);
}

void simJsonString(JsonBuilder* builder, const char* name, const char* value) {
    json_builder_set_member_name(builder, name);
    json_builder_add_string_value(builder, value);
}

void simJsonBool(JsonBuilder* builder, const char* name, bool value) {
    json_builder_set_member_name(builder, name);
    json_builder_add_boolean_value(builder, value);
}

namespace {

template <typename Record> void addCommon(JsonBuilder* b, const Record& r) {
    simJsonInt(b, "id", r.msgId);
    simJsonInt(b, "thread", r.threadId);
    simJsonString(b, "type", r.msgType.c_str());
    simJsonInt(b, "folder", r.folderType);
    simJsonInt(b, "status", r.networkStatus);
    simJsonInt(b, "time", r.time);
    simJsonBool(b, "read", r.isRead);
    simJsonString(b, "address", r.address.c_str());
    simJsonString(b, "subject", r.subject.c_str());
    simJsonString(b, "text", r.text.c_str());
    json_builder_set_member_name(b, "contents");
    json_builder_begin_array(b);
    for (const auto& c : r.contents) {
        json_builder_begin_object(b);
        simJsonInt(b, "id", c.contentId);
        simJsonInt(b, "media", c.mediaType);
        simJsonString(b, "mime", c.mimeType.c_str());
        simJsonString(b, "file", c.filePath.c_str());
        simJsonInt(b, "transfer", c.transferStatus);
        json_builder_end_object(b);
    }
    json_builder_end_array(b);
}

} // namespace

void simAddThread(JsonBuilder* b, const msg_store::Thread& t, const std::string& addresses) {
    json_builder_begin_object(b);
    simJsonInt(b, "id", t.threadId);
    simJsonString(b, "addresses", addresses.c_str());
    simJsonInt(b, "unread", t.unreadCount);
    simJsonInt(b, "messages", t.msgCount);
    simJsonInt(b, "time", t.time);
    simJsonString(b, "type", t.msgType.c_str());
    simJsonInt(b, "folder", t.folderType);
    simJsonInt(b, "status", t.networkStatus);
    simJsonBool(b, "group", t.isGroupChat);
    simJsonString(b, "subject", t.subject.c_str());
    simJsonString(b, "snippet", t.snippet.c_str());
    json_builder_end_object(b);
}

void simAddConversation(JsonBuilder* b, const msg_store::Conversation& c) {
    json_builder_begin_object(b);
    addCommon(b, c);
    json_builder_end_object(b);
}

void simAddMessage(JsonBuilder* b, const msg_store::Message& m) {
    json_builder_begin_object(b);
    addCommon(b, m);
    json_builder_end_object(b);
}

void simPrintJson(JsonBuilder* builder) {
    JsonNode* root = json_builder_get_root(builder);
    JsonGenerator* generator = json_generator_new();
    json_generator_set_root(generator, root);
    json_generator_set_pretty(generator, TRUE);
    gchar* text = json_generator_to_data(generator, nullptr);
    std::printf("%s\n", text);
    g_free(text);
    g_object_unref(generator);
    json_node_unref(root);
    g_object_unref(builder);
}

} // namespace msg_sim
