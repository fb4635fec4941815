// msg-sim's commands, run as the user runs them.
#include "DeviceSettings.h"
#include "Programs.h"
#include "TempDir.h"
#include "device/Device.h"
#include "msg_store/ContentManager.h"
#include "msg_store/MsgStore.h"

#include <glib.h>
#include <gtest/gtest.h>
#include <json-glib/json-glib.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace {

using msg_store::Content;

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

// Reads or changes the device in this process, with the device opened afresh for it.
template <typename Fn> void onDevice(const std::string& dir, Fn fn) {
    msg_device::Device::closeDefault();
    setenv("MSG_DEVICE_DIR", dir.c_str(), 1);
    fn();
    msg_device::Device::closeDefault();
}

std::vector<msg_store::Conversation> conversations(const msg_test::TempDir& dir, int threadId) {
    std::vector<msg_store::Conversation> out;
    onDevice(dir.path(), [&] { msg_store::MessageManager().getConversations(threadId, out); });
    return out;
}

} // namespace

// Receiving, the phone and deleting are driven by the list's, viewer's and composer's tests.
TEST(MsgSim, SeedingFillsAnEmptyDeviceOnceNewestFirstFromTheClockItIsGiven) {
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
    for (guint i = 0; i < 8; ++i) {
        EXPECT_EQ(json_object_get_int_member(json_array_get_object_element(threads, i), "messages"), 3) << i;
        EXPECT_TRUE(i == 0 || timeAt(threads, i) < timeAt(threads, i - 1)) << i;
    }
}

TEST(MsgSim, BadArgumentsExitWithAReason) {
    msg_test::TempDir dir("msg-sim-store");
    const struct {
        std::vector<std::string> args;
        int exitCode;     // 2: a usage error; 1: well-formed but impossible
        const char* says; // besides the command's own name
    } bad[] = {
        {{"receive", "--text", "no sender"}, 2, ""},
        {{"receive", "--from", "+1", "--text", "x", "--image", dir.file("missing.png")}, 2, ""},
        {{"receive-mms", "--from", "+1555", "--sim", "7"}, 2, "SIM slot"},
        {{"list", "--thread", "abc"}, 2, ""},
        {{"list", "--thread", "1", "--blocked"}, 2, ""},
        {{"phone", "--fail-rate", "2"}, 2, ""},
        {{"seed", "--conversations", "0"}, 2, ""},
        {{"seed", "--now", "yesterday"}, 2, ""},
        {{"seed", "--messages-per-conversation", "3"}, 2, ""},
        {{"seed", "--conversations", "1000", "--messages-per-conversation", "1001"}, 2, ""},
        {{"bulk", "--thread", "1", "--count", "0"}, 2, "--count"},
        {{"retime", "1", "--time", "-5"}, 2, "--time"},
        {{"queue", "--thread", "1"}, 2, "--text"},
        {{"audio", "--route", "loud"}, 2, "--route"},
        {{"audio", "--focus", "x", "--reason", "boredom"}, 2, "boredom"},
        {{"audio", "--output", "speakers"}, 2, "--output"},
        {{"set", "db/brand/new", "1"}, 2, "new key"},
        {{"profile", "moon"}, 2, "no profile moon"},
        {{"feature", "network.telephony", "maybe"}, 2, "on or off"},
        {{"deliver", "42"}, 1, "not found"},
        {{"bulk", "--thread", "999", "--count", "5"}, 1, "no conversation 999"},
        {{"get", "db/no/such/key"}, 1, "no setting"},
        // Nobody answers the question with no conversation open.
        {{"wakeup"}, 1, "no conversation is open"},
    };
    for (const auto& c : bad) {
        msg_test::ProgramRun run = sim(dir, c.args);
        SCOPED_TRACE(run.err);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.args[0];
        EXPECT_NE(run.err.find("msg-sim " + c.args[0] + ":"), std::string::npos);
        EXPECT_NE(run.err.find(c.says), std::string::npos);
    }
}

TEST(MsgSim, TheAutomaticPhoneAndWatchKeepTheToolkitsStartUpComplaintsToThemselves) {
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

TEST(MsgSim, ABlockedNumbersMessagesLandInTheBlockedListOnEveryRoadAndItsJsonSurvivesHostileText) {
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

TEST(MsgSim, GroupMessagesOfBothReceiveCommandsNameSenderAndMembersOnce) {
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

TEST(MsgSim, BulkRichMmsQueueAndRetime) {
    msg_test::TempDir dir("msg-sim-conversation");
    ASSERT_EQ(sim(dir, {"receive", "--from", "+15550100", "--text", "hi"}).exitCode, 0);
    msg_test::ProgramRun bulk = sim(dir, {"bulk", "--thread", "1", "--count", "300", "--span-days", "400"});
    ASSERT_EQ(bulk.exitCode, 0) << bulk.err;
    std::vector<msg_store::Conversation> thread = conversations(dir, 1);
    ASSERT_EQ(thread.size(), 301u);
    // Spread over the span, oldest first.
    EXPECT_GE(thread.back().time - thread.front().time, 399LL * 24 * 3600 * 1000);

    msg_test::ProgramRun mms =
        sim(dir, {"receive-mms", "--from", "+15550100", "--text", "two", "--image", "/a.png", "--image",
                  "/b.png", "--file", "/c.pdf", "--protected", "--sim", "1", "--not-retrieved"});
    ASSERT_EQ(mms.exitCode, 0) << mms.err;
    thread = conversations(dir, 1);
    const msg_store::Conversation& rich = thread.back();
    EXPECT_EQ(std::make_tuple(rich.msgType, rich.isProtected, rich.simIndex, rich.networkStatus),
              std::make_tuple(std::string("mms"), true, 1, msg_store::NETWORK_STATUS_RETRIEVE_FAIL));
    ASSERT_EQ(rich.contents.size(), 4u);
    EXPECT_TRUE(rich.contents[3].isAttachment);
    EXPECT_TRUE(rich.contents[1].filePath.empty()) << "a body still on the phone has no file";

    msg_test::ProgramRun queued = sim(dir, {"queue", "--thread", "1", "--text", "ours"});
    ASSERT_EQ(queued.exitCode, 0) << queued.err;
    thread = conversations(dir, 1);
    EXPECT_EQ(thread.back().networkStatus, msg_store::NETWORK_STATUS_SENDING);
    std::string id = std::to_string(thread.back().msgId);
    ASSERT_EQ(sim(dir, {"fail", id}).exitCode, 0);
    ASSERT_EQ(sim(dir, {"retime", id, "--time", "1000000"}).exitCode, 0);
    thread = conversations(dir, 1);
    EXPECT_EQ(thread.front().msgId, std::stoi(id)) << "the corrected time moved the message first";
    EXPECT_TRUE(msg_store::isSendFailure(thread.front().networkStatus));
}

TEST(MsgSim, PartsLeftOnThePhoneArriveWhenAsked) {
    msg_test::TempDir dir("msg-sim-media");
    std::string clip = dir.file("voice.wav"), picture = dir.file("view.png");
    ASSERT_TRUE(g_file_set_contents(clip.c_str(), "RIFF", 4, nullptr));
    ASSERT_TRUE(g_file_set_contents(picture.c_str(), "PNG", 3, nullptr));
    msg_test::ProgramRun run = sim(dir, {"receive-mms", "--from", "+15550100", "--text", "Listen", "--audio",
                                         clip, "--image", picture, "--on-phone"});
    ASSERT_EQ(run.exitCode, 0) << run.err;

    std::vector<msg_store::Conversation> thread = conversations(dir, 1);
    ASSERT_EQ(thread.size(), 1u);
    const msg_store::Conversation mms = thread.front();
    EXPECT_NE(mms.networkStatus, msg_store::NETWORK_STATUS_RETRIEVE_FAIL) << "the message itself is here";
    ASSERT_EQ(mms.contents.size(), 3u);
    const Content& voice = mms.contents[2];
    EXPECT_EQ(std::make_pair(voice.mediaType, voice.mimeType),
              std::make_pair(Content::MEDIA_TYPE_AUDIO, std::string("audio/x-wav")));
    for (size_t i = 1; i < mms.contents.size(); ++i) {
        EXPECT_TRUE(mms.contents[i].filePath.empty()) << i;
        EXPECT_EQ(mms.contents[i].transferStatus, Content::TRANSFER_NONE) << i;
    }

    onDevice(dir.path(), [&] {
        EXPECT_EQ(msg_store::ContentManager().downloadContentFile(voice.contentId, voice.downloadName),
                  msg_store::MSG_STORE_SUCCESS);
    });
    run = sim(dir, {"phone"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    onDevice(dir.path(), [&] {
        msg_store::Conversation fetched;
        ASSERT_EQ(msg_store::MessageManager().getConversation(mms.msgId, fetched),
                  msg_store::MSG_STORE_SUCCESS);
        EXPECT_EQ(fetched.contents[2].transferStatus, Content::TRANSFER_DOWNLOADED);
        EXPECT_FALSE(fetched.contents[2].filePath.empty());
        EXPECT_TRUE(fetched.contents[1].filePath.empty()) << "only the part asked for";
    });
}

TEST(MsgSim, AudioRouteAndFocusReachTheDeviceSettings) {
    msg_test::TempDir dir("msg-sim-audio");
    msg_test::ProgramRun run =
        sim(dir, {"audio", "--route", "bluetooth", "--focus", "com.example.music", "--reason", "call"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("route: bluetooth"), std::string::npos) << run.out;
    onDevice(dir.path(), [] {
        EXPECT_EQ(msg_services::DeviceSettings::getInt("memory/private/sound/route", -1), 3);
        EXPECT_EQ(msg_services::DeviceSettings::getInt("memory/private/sound/focus_reason", -1), 9);
        EXPECT_EQ(msg_services::DeviceSettings::getString("memory/private/sound/focus_owner", ""),
                  "com.example.music/sim");
    });
}
