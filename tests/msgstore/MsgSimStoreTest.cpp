// msg-sim's store and phone commands, run as the user runs them.
#include "Programs.h"
#include "TempDir.h"
#include "msg_store/MsgStoreTypes.h"

#include <glib.h>
#include <gtest/gtest.h>
#include <json-glib/json-glib.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using Json = std::unique_ptr<JsonNode, void (*)(JsonNode*)>;

msg_test::ProgramRun sim(const msg_test::TempDir& dir, const std::vector<std::string>& args) {
    return msg_test::runSim(args, dir.path());
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

// The conversations `list` prints, newest first; null when it printed no array. `json` keeps them.
JsonArray* threadList(const msg_test::TempDir& dir, Json& json, std::vector<std::string> args = {"list"}) {
    json = simJson(dir, std::move(args));
    return json && JSON_NODE_HOLDS_ARRAY(json.get()) ? json_node_get_array(json.get()) : nullptr;
}

int64_t timeAt(JsonArray* threads, guint index) {
    return json_object_get_int_member(json_array_get_object_element(threads, index), "time");
}

} // namespace

// Receiving, the phone and deleting are driven by the list's, viewer's and composer's tests.
TEST(MsgSimStore, SeedingFillsAnEmptyDeviceOnceNewestFirstFromTheClockItIsGiven) {
    msg_test::TempDir demo("msg-sim-store"), many("msg-sim-store");
    const int64_t now = 1700000000; // long past: no conversation of the demo is from the real today
    ASSERT_EQ(sim(demo, {"seed", "--if-empty", "--now", std::to_string(now)}).exitCode, 0);
    EXPECT_EQ(sim(demo, {"seed", "--if-empty"}).exitCode, 0);
    EXPECT_EQ(sim(demo, {"seed"}).exitCode, 1) << "a second plain seed would double the demo";
    EXPECT_TRUE(g_file_test(demo.file("media/demo-sunset.png").c_str(), G_FILE_TEST_IS_REGULAR));
    Json json(nullptr, json_node_unref);
    JsonArray* threads = threadList(demo, json);
    ASSERT_TRUE(threads);
    EXPECT_GE(json_array_get_length(threads), 30u);
    EXPECT_EQ(timeAt(threads, 0), now * 1000) << "the newest conversation is the clock's";
    EXPECT_LT(timeAt(threads, 1), now * 1000);

    ASSERT_EQ(sim(many, {"seed", "--conversations", "8", "--messages-per-conversation", "3"}).exitCode, 0);
    threads = threadList(many, json);
    ASSERT_TRUE(threads);
    ASSERT_EQ(json_array_get_length(threads), 8u);
    int unread = 0;
    for (guint i = 0; i < 8; ++i) {
        JsonObject* thread = json_array_get_object_element(threads, i);
        EXPECT_EQ(json_object_get_int_member(thread, "messages"), 3) << i;
        EXPECT_TRUE(i == 0 || timeAt(threads, i) < timeAt(threads, i - 1)) << i;
        unread += static_cast<int>(json_object_get_int_member(thread, "unread"));
    }
    EXPECT_EQ(unread, 2) << "every seventh conversation ends unread";
}

TEST(MsgSimStore, BadArgumentsExitWithAReason) {
    msg_test::TempDir dir("msg-sim-store");
    const std::vector<std::vector<std::string>> bad = {
        {"receive", "--text", "no sender"},
        {"receive", "--from", "+1", "--text", "x", "--image", dir.file("missing.png")},
        {"list", "--thread", "abc"},
        {"list", "--thread", "1", "--blocked"},
        {"phone", "--fail-rate", "2"},
        {"seed", "--conversations", "0"},
        {"seed", "--now", "yesterday"},
        {"seed", "--messages-per-conversation", "3"},
        {"seed", "--conversations", "1000", "--messages-per-conversation", "1001"},
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

TEST(MsgSimStore, TheAutomaticPhoneAndWatchKeepTheToolkitsStartUpComplaintsToThemselves) {
    msg_test::TempDir dir("msg-sim-auto");
    // As a user's terminal has it: nothing set to quiet the toolkit.
    std::string backtrace = g_getenv("EINA_LOG_BACKTRACE") ? g_getenv("EINA_LOG_BACKTRACE") : "";
    std::string levels = g_getenv("EINA_LOG_LEVELS") ? g_getenv("EINA_LOG_LEVELS") : "";
    g_unsetenv("EINA_LOG_BACKTRACE");
    g_unsetenv("EINA_LOG_LEVELS");
    for (const std::vector<std::string>& command :
         {std::vector<std::string>{"phone", "--auto", "--for", "0.2"},
          std::vector<std::string>{"watch-send", "--auto", "--for", "0.2"}}) {
        SCOPED_TRACE(command.front());
        msg_test::ProgramRun run = sim(dir, command);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.err.find("eina_btlog"), std::string::npos) << run.err;
        EXPECT_EQ(run.err.find("eldbus"), std::string::npos) << run.err;
    }
    g_setenv("EINA_LOG_BACKTRACE", backtrace.c_str(), TRUE);
    g_setenv("EINA_LOG_LEVELS", levels.c_str(), TRUE);
}

TEST(MsgSimStore, ABlockedNumbersMessagesLandInTheBlockedListOnEveryRoadAndItsJsonSurvivesHostileText) {
    msg_test::TempDir dir("msg-sim-blocking");
    const std::string blocked = "+15550123001", hostile = "+1555\"<b>\\x";
    ASSERT_EQ(sim(dir, {"block", "add", blocked}).exitCode, 0);
    ASSERT_EQ(sim(dir, {"block", "add", hostile}).exitCode, 0);
    Json list = simJson(dir, {"block", "list"});
    ASSERT_TRUE(list);
    JsonArray* numbers = json_object_get_array_member(json_node_get_object(list.get()), "blocked");
    ASSERT_EQ(json_array_get_length(numbers), 2u);
    EXPECT_TRUE(json_array_get_string_element(numbers, 0) == hostile ||
                json_array_get_string_element(numbers, 1) == hostile);
    Json options = simJson(dir, {"cb-options", "--channel", "4370-4380:Alert\"x"});
    ASSERT_TRUE(options);
    JsonArray* channels = json_object_get_array_member(json_node_get_object(options.get()), "channels");
    ASSERT_EQ(json_array_get_length(channels), 1u);
    EXPECT_STREQ(json_object_get_string_member(json_array_get_object_element(channels, 0), "name"),
                 "Alert\"x");
    // The phone filters what it passes on, by the list the watch keeps in step with it; the watch's
    // own network by the same list.
    const struct {
        const char* road;
        std::vector<std::string> receive;
        int spamFolder;
    } roads[] = {
        {"phone", {"receive", "--text", "Win"}, msg_store::FOLDER_SPAM},
        {"phone mms", {"receive-mms", "--text", "Win"}, msg_store::FOLDER_SPAM},
        {"watch network", {"watch-net", "receive", "--text", "Win"}, msg_store::FOLDER_WATCH_SPAM},
    };
    for (const auto& road : roads) {
        SCOPED_TRACE(road.road);
        for (const std::string& from : {blocked, std::string("+15550123002")}) {
            std::vector<std::string> receive = road.receive;
            receive.insert(receive.end(), {"--from", from});
            ASSERT_EQ(sim(dir, receive).exitCode, 0);
            Json json(nullptr, json_node_unref);
            JsonArray* messages = threadList(dir, json, {"list", "--blocked"});
            ASSERT_TRUE(messages);
            JsonObject* newest = json_array_get_object_element(messages, 0);
            bool listed = json_array_get_length(messages) > 0 &&
                          json_object_get_int_member(newest, "folder") == road.spamFolder &&
                          std::string(json_object_get_string_member(newest, "address")) == from;
            EXPECT_EQ(listed, from == blocked) << from;
        }
    }
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
        msg_test::ProgramRun received =
            sim(dir, {c.command, "--from", "+15550100001", "--group", c.group, "--text", "hi"});
        ASSERT_EQ(received.exitCode, 0) << received.err;
        Json json(nullptr, json_node_unref);
        JsonArray* threads = threadList(dir, json);
        ASSERT_TRUE(threads);
        ASSERT_EQ(json_array_get_length(threads), 1u);
        JsonObject* thread = json_array_get_object_element(threads, 0);
        EXPECT_TRUE(json_object_get_boolean_member(thread, "group"));
        EXPECT_STREQ("+15550100001, +15550100002, +15550100003",
                     json_object_get_string_member(thread, "addresses"));
    }
}
