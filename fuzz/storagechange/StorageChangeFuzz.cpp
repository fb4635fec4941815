// Feeds arbitrary payloads to the storage-change parser under both keys and checks what a screen
// relies on: a refused payload leaves the outputs as they were, and an accepted one, written back
// in the store's own form, parses to the same ids.
#include "common/MCommonStorageChangeParser.h"
#include "dlog.h"

#include <cstdint>
#include <map>
#include <string>

using msg_app::MCommonStorageChangeParser;

namespace {

void check(bool condition) {
    if (!condition)
        __builtin_trap();
}

const char* typeName(MCommonStorageChangeParser::ChangeType type) {
    switch (type) {
    case MCommonStorageChangeParser::CHANGE_TYPE_INSERTED:
        return "msg_inserted";
    case MCommonStorageChangeParser::CHANGE_TYPE_UPDATED:
        return "msg_updated";
    case MCommonStorageChangeParser::CHANGE_TYPE_REPLACED:
        return "msg_replaced";
    case MCommonStorageChangeParser::CHANGE_TYPE_DELETED:
        return "msg_deleted";
    case MCommonStorageChangeParser::CHANGE_TYPE_GROUPCHAT_ADDRESS_CHANGED:
        return "groupchat_address_changed";
    }
    check(false);
    return "";
}

void parseBothWays(const std::string& payload, MCommonStorageChangeParser::Key key) {
    const std::map<int, int> before{{-7, 7}};
    auto type = static_cast<MCommonStorageChangeParser::ChangeType>(0);
    std::map<int, int> ids = before;
    if (!MCommonStorageChangeParser::parse(payload.c_str(), key, &type, ids)) {
        check(ids == before && type == 0);
        return;
    }
    std::string again = std::string(typeName(type)) + ":";
    for (const auto& [k, v] : ids) {
        int msgId = key == MCommonStorageChangeParser::KEY_THREAD_ID ? v : k;
        int threadId = key == MCommonStorageChangeParser::KEY_THREAD_ID ? k : v;
        again += std::to_string(msgId) + "/" + std::to_string(threadId) + ",";
    }
    auto againType = static_cast<MCommonStorageChangeParser::ChangeType>(0);
    std::map<int, int> againIds;
    check(MCommonStorageChangeParser::parse(again.c_str(), key, &againType, againIds));
    check(againType == type && againIds == ids);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Every refused payload logs; writing them all would slow fuzzing to a crawl.
    dlog_set_min_priority(DLOG_SILENT);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string payload(reinterpret_cast<const char*>(data), size);
    parseBothWays(payload, MCommonStorageChangeParser::KEY_THREAD_ID);
    parseBothWays(payload, MCommonStorageChangeParser::KEY_MESSAGE_ID);
    return 0;
}
