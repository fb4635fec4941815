// msg-sim's media states, run as the user runs them: a voice clip and a picture left on the phone
// and fetched when asked, the sound route and focus, and the wake-up question with nobody to answer.
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

TEST(MsgSimMedia, PartsLeftOnThePhoneArriveWhenAsked) {
    msg_test::TempDir dir("msg-sim-media");
    std::string clip = dir.file("voice.wav"), picture = dir.file("view.png");
    ASSERT_TRUE(g_file_set_contents(clip.c_str(), "RIFF", 4, nullptr));
    ASSERT_TRUE(g_file_set_contents(picture.c_str(), "PNG", 3, nullptr));
    msg_test::ProgramRun run = runSim({"receive-mms", "--from", "+15550100", "--text", "Listen", "--audio",
                                       clip, "--image", picture, "--on-phone"},
                                      dir.path());
    ASSERT_EQ(run.exitCode, 0) << run.err;

    msg_store::Conversation mms;
    onDevice(dir.path(), [&] {
        std::vector<msg_store::Conversation> thread;
        msg_store::MessageManager().getConversations(1, thread);
        ASSERT_EQ(thread.size(), 1u);
        mms = thread.front();
    });
    EXPECT_NE(mms.networkStatus, msg_store::NETWORK_STATUS_RETRIEVE_FAIL) << "the message itself is here";
    ASSERT_EQ(mms.contents.size(), 3u);
    const Content& voice = mms.contents[2];
    EXPECT_EQ(voice.mediaType, Content::MEDIA_TYPE_AUDIO);
    EXPECT_EQ(voice.mimeType, "audio/x-wav");
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
