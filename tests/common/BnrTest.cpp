#include "common/Bnr.h"

#include "LogCapture.h"
#include "app_control.h"

#include <gtest/gtest.h>

#include <sys/time.h>

using namespace msg_app;

namespace {

TEST(Bnr, CommandsOfTheCloudOperations) {
    EXPECT_EQ(bnr::COMMAND_BACKUP, bnr::get_command(APP_CONTROL_URI_BASE "operation/vorlane_cloud/backup"));
    EXPECT_EQ(bnr::COMMAND_RESTORE, bnr::get_command(APP_CONTROL_URI_BASE "operation/vorlane_cloud/restore"));
    EXPECT_EQ(bnr::COMMAND_GET_BACKUP_INFO,
              bnr::get_command(APP_CONTROL_URI_BASE "operation/vorlane_cloud/get_backup_info"));
    EXPECT_EQ(bnr::COMMAND_NONE, bnr::get_command(APP_CONTROL_OPERATION_MAIN));
    EXPECT_EQ(bnr::COMMAND_NONE, bnr::get_command("operation/vorlane_cloud/backup"));

    msg_test::LogCapture log;
    EXPECT_EQ(bnr::COMMAND_NONE, bnr::get_command(""));
    EXPECT_TRUE(log.contains("operation is empty!"));
}

TEST(Bnr, DeviceTimeIsMillisecondsNow) {
    struct timeval before {};
    gettimeofday(&before, nullptr);
    int64_t now = bnr::get_current_device_time();
    EXPECT_GE(now, static_cast<int64_t>(before.tv_sec) * 1000);
    EXPECT_LT(now, (static_cast<int64_t>(before.tv_sec) + 5) * 1000);
}

TEST(Bnr, JsonBodyParsesIntoARootOwnedByTheParser) {
    JsonNode* root = nullptr;
    JsonParser* parser = bnr::parse_json_buffer(R"({"deviceId":"w1","count":3})", &root);
    ASSERT_NE(nullptr, parser);
    ASSERT_TRUE(JSON_NODE_HOLDS_OBJECT(root));
    EXPECT_EQ(3, json_object_get_int_member(json_node_get_object(root), "count"));
    g_object_unref(parser);
}

TEST(Bnr, BadBodiesGiveNoParser) {
    msg_test::LogCapture log;
    JsonNode* root = nullptr;
    EXPECT_EQ(nullptr, bnr::parse_json_buffer("", &root));
    EXPECT_TRUE(log.contains("Invalid input parameter"));
    EXPECT_EQ(nullptr, bnr::parse_json_buffer("{\"a\":", &root));
    EXPECT_TRUE(log.contains("json_parser_load_from_data() failed"));
    EXPECT_EQ(nullptr, bnr::parse_json_buffer("   ", &root));
    EXPECT_EQ(nullptr, root);
}

} // namespace
