#include "common/MCommonStorageChangeParser.h"

#include "common/MsgLog.h"

#include <charconv>
#include <cstring>
#include <string_view>

namespace msg_app {

namespace {

struct TypeName {
    const char* name;
    MCommonStorageChangeParser::ChangeType type;
};

constexpr TypeName kTypeNames[] = {
    {"msg_inserted", MCommonStorageChangeParser::CHANGE_TYPE_INSERTED},
    {"msg_updated", MCommonStorageChangeParser::CHANGE_TYPE_UPDATED},
    {"msg_replaced", MCommonStorageChangeParser::CHANGE_TYPE_REPLACED},
    {"msg_deleted", MCommonStorageChangeParser::CHANGE_TYPE_DELETED},
    {"groupchat_address_changed", MCommonStorageChangeParser::CHANGE_TYPE_GROUPCHAT_ADDRESS_CHANGED},
};

bool findType(std::string_view name, MCommonStorageChangeParser::ChangeType* type) {
    for (const TypeName& entry : kTypeNames) {
        if (name == entry.name) {
            *type = entry.type;
            return true;
        }
    }
    return false;
}

// A whole decimal integer that fits an int; an optional leading minus sign is accepted, since the
// store uses -1 for "none".
bool toInt(std::string_view text, int* value) {
    if (text.empty())
        return false;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, *value);
    return ec == std::errc() && ptr == end;
}

} // namespace

bool MCommonStorageChangeParser::parse(const char* payload, Key key, ChangeType* outType,
                                       std::map<int, int>& outIds) {
    MSG_RETV_IF(!payload, false, "message is null");
    MSG_RETV_IF(!outType, false, "outType is null");

    const char* colon = std::strchr(payload, ':');
    MSG_RETV_IF(!colon, false, "not found type");

    std::string_view typeName(payload, static_cast<size_t>(colon - payload));
    MSG_LOGD("type(%.*s)", static_cast<int>(typeName.size()), typeName.data());
    ChangeType type;
    if (!findType(typeName, &type)) {
        MSG_LOGE("change_type[%.*s] is not supported yet.", static_cast<int>(typeName.size()),
                 typeName.data());
        return false;
    }
    *outType = type;
    outIds.clear();

    // One forward walk over the entries keeps huge payloads linear.
    int orgItemCnt = 0;
    int skipped = 0;
    std::string_view rest(colon + 1);
    while (!rest.empty()) {
        size_t comma = rest.find(',');
        std::string_view entry = rest.substr(0, comma);
        rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);

        size_t slash = entry.find('/');
        if (slash == std::string_view::npos)
            continue;
        ++orgItemCnt;

        int msgId = 0;
        int threadId = 0;
        if (!toInt(entry.substr(0, slash), &msgId) || !toInt(entry.substr(slash + 1), &threadId)) {
            // Logged once below, so that a hostile payload cannot flood the log.
            if (skipped++ == 0)
                MSG_LOGW("invalid ids (%.*s)", static_cast<int>(entry.size()), entry.data());
            continue;
        }
        if (key == KEY_THREAD_ID)
            outIds[threadId] = msgId;
        else
            outIds[msgId] = threadId;
    }

    if (skipped > 0)
        MSG_LOGW("%d entries with invalid ids skipped", skipped);
    MSG_LOGD("key(%d) orgItemCnt(%d), ids.size(%d)", static_cast<int>(key), orgItemCnt,
             static_cast<int>(outIds.size()));
    return true;
}

} // namespace msg_app
