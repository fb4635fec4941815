// msg-sim's conversation and media commands, run as the user runs them.
#include "DeviceSettings.h"
#include "Programs.h"
#include "TempDir.h"
#include "device/Device.h"
#include "msg_store/ContentManager.h"
#include "msg_store/MsgStore.h"

#include <glib.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

namespace {

using msg_store::Content;
using msg_test::runSim;

// Reads or changes the device in this process, with the device opened afresh for it.
template <typename Fn> void onDevice(const std::string& dir, Fn fn) {
    msg_device::Device::closeDefault();
    setenv("MSG_DEVICE_DIR", dir.c_str(), 1);
    fn();
    msg_device::Device::closeDefault();
}

std::vector<msg_store::Conversation> conversations(const std::string& dir, int threadId) {
    std::vector<msg_store::Conversation> out;
    onDevice(dir, [&] { msg_store::MessageManager().getConversations(threadId, out); });
    return out;
}

TEST(MsgSimConversation, BulkRichMmsQueueAndRetime) {
    msg_test::TempDir dir("msg-sim-conversation");
    ASSERT_EQ(runSim({"receive", "--from", "+15550100", "--text", "hi"}, dir.path()).exitCode, 0);
    msg_test::ProgramRun bulk =
        runSim({"bulk", "--thread", "1", "--count", "300", "--span-days", "400"}, dir.path());
    ASSERT_EQ(bulk.exitCode, 0) << bulk.err;
    std::vector<msg_store::Conversation> thread = conversations(dir.path(), 1);
    ASSERT_EQ(thread.size(), 301u);
    // Spread over the span, oldest first.
    EXPECT_GE(thread.back().time - thread.front().time, 399LL * 24 * 3600 * 1000);

    msg_test::ProgramRun mms =
        runSim({"receive-mms", "--from", "+15550100", "--text", "two", "--image", "/a.png", "--image",
                "/b.png", "--file", "/c.pdf", "--protected", "--sim", "1", "--not-retrieved"},
               dir.path());
    ASSERT_EQ(mms.exitCode, 0) << mms.err;
    thread = conversations(dir.path(), 1);
    const msg_store::Conversation& rich = thread.back();
    EXPECT_EQ(std::make_tuple(rich.msgType, rich.isProtected, rich.simIndex, rich.networkStatus),
              std::make_tuple(std::string("mms"), true, 1, msg_store::NETWORK_STATUS_RETRIEVE_FAIL));
    ASSERT_EQ(rich.contents.size(), 4u);
    EXPECT_TRUE(rich.contents[3].isAttachment);
    EXPECT_TRUE(rich.contents[1].filePath.empty()) << "a body still on the phone has no file";

    msg_test::ProgramRun queued = runSim({"queue", "--thread", "1", "--text", "ours"}, dir.path());
    ASSERT_EQ(queued.exitCode, 0) << queued.err;
    thread = conversations(dir.path(), 1);
    EXPECT_EQ(thread.back().networkStatus, msg_store::NETWORK_STATUS_SENDING);
    std::string id = std::to_string(thread.back().msgId);
    ASSERT_EQ(runSim({"fail", id}, dir.path()).exitCode, 0);
    ASSERT_EQ(runSim({"retime", id, "--time", "1000000"}, dir.path()).exitCode, 0);
    thread = conversations(dir.path(), 1);
    EXPECT_EQ(thread.front().msgId, std::stoi(id)) << "the corrected time moved the message first";
    EXPECT_TRUE(msg_store::isSendFailure(thread.front().networkStatus));

    const std::vector<std::string> refused[] = {{"bulk", "--thread", "1", "--count", "0"},
                                                {"bulk", "--thread", "999", "--count", "5"},
                                                {"receive-mms", "--from", "+1555", "--sim", "7"},
                                                {"retime", id, "--time", "-5"},
                                                {"queue", "--thread", "1"}};
    for (const auto& args : refused)
        EXPECT_NE(runSim(args, dir.path()).exitCode, 0) << args.front();
}

TEST(MsgSimMedia, PartsLeftOnThePhoneArriveWhenAsked) {
    msg_test::TempDir dir("msg-sim-media");
    std::string clip = dir.file("voice.wav"), picture = dir.file("view.png");
    ASSERT_TRUE(g_file_set_contents(clip.c_str(), "RIFF", 4, nullptr));
    ASSERT_TRUE(g_file_set_contents(picture.c_str(), "PNG", 3, nullptr));
    msg_test::ProgramRun run = runSim({"receive-mms", "--from", "+15550100", "--text", "Listen", "--audio",
                                       clip, "--image", picture, "--on-phone"},
                                      dir.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;

    std::vector<msg_store::Conversation> thread = conversations(dir.path(), 1);
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
    run = runSim({"phone"}, dir.path());
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

TEST(MsgSimMedia, RouteFocusAndTheWakeUpQuestion) {
    msg_test::TempDir dir("msg-sim-audio");
    msg_test::ProgramRun run = runSim(
        {"audio", "--route", "bluetooth", "--focus", "com.example.music", "--reason", "call"}, dir.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("route: bluetooth"), std::string::npos) << run.out;
    onDevice(dir.path(), [] {
        EXPECT_EQ(msg_services::DeviceSettings::getInt("memory/private/sound/route", -1), 3);
        EXPECT_EQ(msg_services::DeviceSettings::getInt("memory/private/sound/focus_reason", -1), 9);
        EXPECT_EQ(msg_services::DeviceSettings::getString("memory/private/sound/focus_owner", ""),
                  "com.example.music/sim");
    });
    for (const std::vector<std::string>& bad :
         std::vector<std::vector<std::string>>{{"audio", "--route", "loud"},
                                               {"audio", "--focus", "x", "--reason", "boredom"},
                                               {"audio", "--output", "speakers"}}) {
        EXPECT_EQ(runSim(bad, dir.path()).exitCode, 2) << bad[1] << " " << bad[2];
    }
    // No conversation open: nobody answers, and the question says so.
    run = runSim({"wakeup"}, dir.path());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("no conversation is open"), std::string::npos) << run.err;
}

} // namespace
