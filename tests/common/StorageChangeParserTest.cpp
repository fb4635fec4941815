// What other processes hand the application to parse: the cloud backup's commands and bodies, and the
// message store's change payloads.
#include "common/Bnr.h"
#include "common/MCommonStorageChangeParser.h"

#include "app_control.h"

#include <gtest/gtest.h>

#include <string>

using namespace msg_app;
using Parser = MCommonStorageChangeParser;

namespace {

struct Parsed {
    bool ok = false;
    Parser::ChangeType type = static_cast<Parser::ChangeType>(0);
    std::map<int, int> ids;
};

Parsed parse(const char* payload, Parser::Key key) {
    Parsed result;
    result.ok = Parser::parse(payload, key, &result.type, result.ids);
    return result;
}

TEST(StorageChangeParser, TypeNamesMatchWholeAndRefusalsLeaveOutputsUnchanged) {
    const std::pair<const char*, int> cases[] = {
        {"msg_inserted:", 1},     {"msg_deleted:", 4},   {"groupchat_address_changed:", 5}, {nullptr, -1},
        {"msg_deleted 12/3", -1}, {"msg_moved:1/2", -1}, {"msg_insertedX:1/2", -1},         {":1/2", -1},
    };
    for (const auto& [payload, value] : cases) {
        SCOPED_TRACE(payload ? payload : "(null)");
        auto type = Parser::CHANGE_TYPE_UPDATED;
        std::map<int, int> ids{{7, 8}};
        bool ok = Parser::parse(payload, Parser::KEY_THREAD_ID, &type, ids);
        EXPECT_EQ(value > 0, ok);
        EXPECT_EQ(value > 0 ? value : Parser::CHANGE_TYPE_UPDATED, type);
        // Success replaces what the map held.
        const std::map<int, int> expected = value > 0 ? std::map<int, int>{} : std::map<int, int>{{7, 8}};
        EXPECT_EQ(expected, ids);
    }
}

TEST(StorageChangeParser, MalformedEntriesAreSkippedTheRestKeptAndAHugePayloadParsedWhole) {
    // Only the first slash splits an entry, so 30/31/32 is malformed too.
    Parsed p = parse("msg_updated:,5/6,,abc,7/x,/9,10/,1 /2,0x1/2,99999999999/1,1/-1,-1/4,30/31/32,20/21,",
                     Parser::KEY_MESSAGE_ID);
    ASSERT_TRUE(p.ok);
    EXPECT_EQ((std::map<int, int>{{5, 6}, {1, -1}, {-1, 4}, {20, 21}}), p.ids);

    // A huge payload is parsed whole; keyed by thread, the later message of each thread is kept.
    std::string payload = "msg_inserted:";
    for (int i = 0; i < 100000; ++i)
        payload += std::to_string(i) + "/" + std::to_string(i % 100) + ",";
    Parsed byMessage = parse(payload.c_str(), Parser::KEY_MESSAGE_ID);
    ASSERT_TRUE(byMessage.ok);
    ASSERT_EQ(100000u, byMessage.ids.size());
    EXPECT_EQ(42, byMessage.ids.at(99942));

    Parsed byThread = parse(payload.c_str(), Parser::KEY_THREAD_ID);
    ASSERT_EQ(100u, byThread.ids.size());
    EXPECT_EQ(99999, byThread.ids.at(99));
}

TEST(Bnr, CommandsOfTheCloudOperations) {
    EXPECT_EQ(bnr::COMMAND_BACKUP, bnr::get_command(APP_CONTROL_URI_BASE "operation/vorlane_cloud/backup"));
    EXPECT_EQ(bnr::COMMAND_RESTORE, bnr::get_command(APP_CONTROL_URI_BASE "operation/vorlane_cloud/restore"));
    EXPECT_EQ(bnr::COMMAND_GET_BACKUP_INFO,
              bnr::get_command(APP_CONTROL_URI_BASE "operation/vorlane_cloud/get_backup_info"));
    EXPECT_EQ(bnr::COMMAND_NONE, bnr::get_command(APP_CONTROL_OPERATION_MAIN));
    EXPECT_EQ(bnr::COMMAND_NONE, bnr::get_command("operation/vorlane_cloud/backup"));
    EXPECT_EQ(bnr::COMMAND_NONE, bnr::get_command(""));
}

TEST(Bnr, JsonBodyParsesIntoARootOwnedByTheParserAndBadBodiesGiveNone) {
    JsonNode* root = nullptr;
    JsonParser* parser = bnr::parse_json_buffer(R"({"deviceId":"w1","count":3})", &root);
    ASSERT_NE(nullptr, parser);
    ASSERT_TRUE(JSON_NODE_HOLDS_OBJECT(root));
    EXPECT_EQ(3, json_object_get_int_member(json_node_get_object(root), "count"));
    g_object_unref(parser);

    for (const char* bad : {"", "{\"a\":", "   "}) {
        root = nullptr;
        EXPECT_EQ(nullptr, bnr::parse_json_buffer(bad, &root)) << bad;
        EXPECT_EQ(nullptr, root) << bad;
    }
}

} // namespace
