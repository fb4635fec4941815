// msg-sim's store and phone commands, run as the user runs them.
#include "Programs.h"
#include "TempDir.h"

#include <cstdlib>
#include <glib.h>
#include <gtest/gtest.h>
#include <json-glib/json-glib.h>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

using SimRun = msg_test::ProgramRun;

SimRun sim(const std::string& deviceDir, std::vector<std::string> args) {
    args.insert(args.begin(), {"--device", deviceDir});
    return msg_test::runProgram("msg-sim", args);
}

JsonNode* parse(const std::string& text) {
    JsonParser* parser = json_parser_new();
    JsonNode* root = json_parser_load_from_data(parser, text.c_str(), -1, nullptr)
                         ? json_node_copy(json_parser_get_root(parser))
                         : nullptr;
    g_object_unref(parser);
    return root;
}

} // namespace

TEST(MsgSimStore, SeedListReceiveAndThePhone) {
    msg_test::TempDir dir("msg-sim-store");
    SimRun seed = sim(dir.path(), {"seed", "--if-empty"});
    ASSERT_EQ(seed.exitCode, 0) << seed.err;
    EXPECT_EQ(sim(dir.path(), {"seed", "--if-empty"}).exitCode, 0);
    EXPECT_EQ(sim(dir.path(), {"seed"}).exitCode, 1) << "a second plain seed would double the demo";
    EXPECT_TRUE(g_file_test(dir.file("media/demo-sunset.png").c_str(), G_FILE_TEST_IS_REGULAR));

    SimRun list = sim(dir.path(), {"list", "--json"});
    ASSERT_EQ(list.exitCode, 0) << list.err;
    JsonNode* root = parse(list.out);
    ASSERT_TRUE(root && JSON_NODE_HOLDS_ARRAY(root)) << list.out;
    JsonArray* threads = json_node_get_array(root);
    EXPECT_GE(json_array_get_length(threads), 30u);
    bool group = false, unread = false, mms = false;
    for (guint i = 0; i < json_array_get_length(threads); ++i) {
        JsonObject* t = json_array_get_object_element(threads, i);
        group |= json_object_get_boolean_member(t, "group");
        unread |= json_object_get_int_member(t, "unread") > 0;
        mms |= std::string(json_object_get_string_member(t, "type")) == "mms";
    }
    EXPECT_TRUE(group && unread && mms);
    json_node_unref(root);

    SimRun blocked = sim(dir.path(), {"list", "--blocked", "--json"});
    ASSERT_EQ(blocked.exitCode, 0);
    root = parse(blocked.out);
    ASSERT_TRUE(root);
    EXPECT_GE(json_array_get_length(json_node_get_array(root)), 1u);
    json_node_unref(root);

    SimRun received =
        sim(dir.path(), {"receive", "--from", "+15550199999", "--text", "<b>hi</b> \"there\"", "--json"});
    ASSERT_EQ(received.exitCode, 0) << received.err;
    root = parse(received.out);
    ASSERT_TRUE(root);
    int thread = static_cast<int>(json_object_get_int_member(json_node_get_object(root), "thread"));
    json_node_unref(root);
    SimRun conversation = sim(dir.path(), {"list", "--thread", std::to_string(thread)});
    EXPECT_NE(conversation.out.find("<b>hi</b> \"there\""), std::string::npos) << conversation.out;

    SimRun outbox = sim(dir.path(), {"outbox", "--json"});
    root = parse(outbox.out);
    ASSERT_TRUE(root);
    ASSERT_EQ(json_array_get_length(json_node_get_array(root)), 1u) << "the demo has one message being sent";
    json_node_unref(root);
    SimRun phone = sim(dir.path(), {"phone", "--fail-rate", "0"});
    ASSERT_EQ(phone.exitCode, 0) << phone.err;
    EXPECT_NE(phone.out.find("sent"), std::string::npos);
    EXPECT_NE(sim(dir.path(), {"outbox"}).out.find("0 message(s)"), std::string::npos);

    EXPECT_EQ(sim(dir.path(), {"read", "--thread", std::to_string(thread)}).exitCode, 0);
    EXPECT_EQ(sim(dir.path(), {"delete", "--thread", std::to_string(thread)}).exitCode, 0);
    EXPECT_EQ(sim(dir.path(), {"delete", "--thread", std::to_string(thread)}).exitCode, 1) << "already gone";
}

TEST(MsgSimStore, BadArgumentsExitWithAReason) {
    msg_test::TempDir dir("msg-sim-store");
    const std::vector<std::vector<std::string>> bad = {
        {"receive", "--text", "no sender"},
        {"receive", "--from", "+1"},
        {"receive", "--from", "+1", "--text", "x", "--image", dir.file("missing.png")},
        {"receive", "--from", "+1", "--text", "x", "--time", "yesterday"},
        {"list", "--thread", "abc"},
        {"list", "--thread", "1", "--blocked"},
        {"delete"},
        {"delete", "--message", "1", "--thread", "2"},
        {"read", "--message", "-4"},
        {"deliver"},
        {"fail", "1", "--status", "x"},
        {"phone", "--fail-rate", "2"},
        {"phone", "--delay", "5"},
        {"seed", "--bogus"},
    };
    for (const auto& args : bad) {
        SimRun run = sim(dir.path(), args);
        EXPECT_EQ(run.exitCode, 2) << args[0] << " " << (args.size() > 1 ? args[1] : "");
        EXPECT_NE(run.err.find("msg-sim " + args[0] + ":"), std::string::npos) << run.err;
    }
    // Well-formed but impossible: a failure, not a usage error.
    SimRun missing = sim(dir.path(), {"deliver", "42"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("not found"), std::string::npos) << missing.err;
}

TEST(MsgSimStore, BlockListJsonSurvivesHostileText) {
    msg_test::TempDir dir("msg-sim-block");
    const std::string hostile = "+1555\"<b>\\x";
    ASSERT_EQ(sim(dir.path(), {"block", "add", hostile}).exitCode, 0);
    SimRun list = sim(dir.path(), {"--json", "block", "list"});
    ASSERT_EQ(list.exitCode, 0) << list.err;
    JsonNode* root = parse(list.out);
    ASSERT_TRUE(root) << list.out;
    JsonArray* blocked = json_object_get_array_member(json_node_get_object(root), "blocked");
    ASSERT_EQ(json_array_get_length(blocked), 1u);
    EXPECT_EQ(std::string(json_array_get_string_element(blocked, 0)), hostile);
    json_node_unref(root);

    SimRun options = sim(dir.path(), {"--json", "cb-options", "--channel", "4370-4380:Alert\"x"});
    ASSERT_EQ(options.exitCode, 0) << options.err;
    root = parse(options.out);
    ASSERT_TRUE(root) << options.out;
    JsonArray* channels = json_object_get_array_member(json_node_get_object(root), "channels");
    ASSERT_EQ(json_array_get_length(channels), 1u);
    EXPECT_EQ(std::string(json_object_get_string_member(json_array_get_object_element(channels, 0), "name")),
              "Alert\"x");
    json_node_unref(root);
}

TEST(MsgSimStore, GroupMessagesOfBothReceiveCommandsNameSenderAndMembersOnce) {
    struct {
        const char* command;
        const char* group;
    } cases[] = {
        {"receive", ",+15550100002,,+15550100003,"},
        {"receive-mms", "+15550100002,+15550100003"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        msg_test::TempDir dir("msg-sim-store");
        SimRun received =
            sim(dir.path(), {c.command, "--from", "+15550100001", "--group", c.group, "--text", "hi"});
        ASSERT_EQ(received.exitCode, 0) << received.err;
        SimRun list = sim(dir.path(), {"list", "--json"});
        JsonNode* root = parse(list.out);
        ASSERT_TRUE(root && JSON_NODE_HOLDS_ARRAY(root)) << list.out;
        JsonArray* threads = json_node_get_array(root);
        ASSERT_EQ(json_array_get_length(threads), 1u) << list.out;
        JsonObject* thread = json_array_get_object_element(threads, 0);
        EXPECT_TRUE(json_object_get_boolean_member(thread, "group"));
        EXPECT_STREQ("+15550100001, +15550100002, +15550100003",
                     json_object_get_string_member(thread, "addresses"));
        json_node_unref(root);
    }
}
