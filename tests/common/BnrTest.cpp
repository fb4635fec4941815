#include "common/Bnr.h"

#include "app_control.h"

#include <gtest/gtest.h>

using namespace msg_app;

namespace {

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
