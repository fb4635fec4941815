// msg-sim's store and phone commands, run as the user runs them.
#include "Programs.h"
#include "TempDir.h"

#include <glib.h>
#include <gtest/gtest.h>
#include <json-glib/json-glib.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using Json = std::unique_ptr<JsonNode, void (*)(JsonNode*)>;

msg_test::ProgramRun sim(const msg_test::TempDir& dir, std::vector<std::string> args) {
    args.insert(args.begin(), {"--device", dir.path()});
    return msg_test::runProgram("msg-sim", args);
}

// The command's JSON output; null when it failed or printed no JSON.
Json simJson(const msg_test::TempDir& dir, std::vector<std::string> args) {
    args.insert(args.begin(), "--json");
    msg_test::ProgramRun run = sim(dir, args);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    JsonParser* parser = json_parser_new();
    JsonNode* root = json_parser_load_from_data(parser, run.out.c_str(), -1, nullptr)
                         ? json_node_copy(json_parser_get_root(parser))
                         : nullptr;
    g_object_unref(parser);
    return Json(root, json_node_unref);
}

} // namespace

TEST(MsgSimStore, SeedListReceiveAndThePhone) {
    msg_test::TempDir dir("msg-sim-store");
    ASSERT_EQ(sim(dir, {"seed", "--if-empty"}).exitCode, 0);
    EXPECT_EQ(sim(dir, {"seed", "--if-empty"}).exitCode, 0);
    EXPECT_EQ(sim(dir, {"seed"}).exitCode, 1) << "a second plain seed would double the demo";
    EXPECT_TRUE(g_file_test(dir.file("media/demo-sunset.png").c_str(), G_FILE_TEST_IS_REGULAR));

    Json received = simJson(dir, {"receive", "--from", "+15550199999", "--text", "<b>hi</b> \"there\""});
    ASSERT_TRUE(received);
    const std::string thread =
        std::to_string(json_object_get_int_member(json_node_get_object(received.get()), "thread"));
    EXPECT_NE(sim(dir, {"list", "--thread", thread}).out.find("<b>hi</b> \"there\""), std::string::npos);

    Json outbox = simJson(dir, {"outbox"});
    ASSERT_TRUE(outbox);
    ASSERT_EQ(json_array_get_length(json_node_get_array(outbox.get())), 1u)
        << "the demo has one message being sent";
    msg_test::ProgramRun phone = sim(dir, {"phone", "--fail-rate", "0"});
    ASSERT_EQ(phone.exitCode, 0) << phone.err;
    EXPECT_NE(phone.out.find("sent"), std::string::npos);
    EXPECT_NE(sim(dir, {"outbox"}).out.find("0 message(s)"), std::string::npos);
    EXPECT_EQ(sim(dir, {"delete", "--thread", thread}).exitCode, 0);
    EXPECT_EQ(sim(dir, {"delete", "--thread", thread}).exitCode, 1) << "already gone";
}

TEST(MsgSimStore, BadArgumentsExitWithAReason) {
    msg_test::TempDir dir("msg-sim-store");
    const std::vector<std::vector<std::string>> bad = {
        {"receive", "--text", "no sender"},
        {"receive", "--from", "+1", "--text", "x", "--image", dir.file("missing.png")},
        {"list", "--thread", "abc"},
        {"list", "--thread", "1", "--blocked"},
        {"phone", "--fail-rate", "2"},
        {"seed", "--bogus"},
    };
    for (const auto& args : bad) {
        msg_test::ProgramRun run = sim(dir, args);
        EXPECT_EQ(run.exitCode, 2) << args[0] << " " << args[1];
        EXPECT_NE(run.err.find("msg-sim " + args[0] + ":"), std::string::npos) << run.err;
    }
    // Well-formed but impossible: a failure, not a usage error.
    msg_test::ProgramRun missing = sim(dir, {"deliver", "42"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("not found"), std::string::npos) << missing.err;
}

TEST(MsgSimStore, BlockListJsonSurvivesHostileText) {
    msg_test::TempDir dir("msg-sim-block");
    const std::string hostile = "+1555\"<b>\\x";
    ASSERT_EQ(sim(dir, {"block", "add", hostile}).exitCode, 0);
    Json list = simJson(dir, {"block", "list"});
    ASSERT_TRUE(list);
    JsonArray* blocked = json_object_get_array_member(json_node_get_object(list.get()), "blocked");
    ASSERT_EQ(json_array_get_length(blocked), 1u);
    EXPECT_EQ(std::string(json_array_get_string_element(blocked, 0)), hostile);

    Json options = simJson(dir, {"cb-options", "--channel", "4370-4380:Alert\"x"});
    ASSERT_TRUE(options);
    JsonArray* channels = json_object_get_array_member(json_node_get_object(options.get()), "channels");
    ASSERT_EQ(json_array_get_length(channels), 1u);
    EXPECT_EQ(std::string(json_object_get_string_member(json_array_get_object_element(channels, 0), "name")),
              "Alert\"x");
}
