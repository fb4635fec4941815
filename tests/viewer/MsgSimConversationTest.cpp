// msg-sim's conversation commands, run as the user runs them.
#include "Programs.h"
#include "TempDir.h"
#include "device/Device.h"
#include "msg_store/MsgStore.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

using msg_test::runSim;

// The thread's messages as the store reads them, with the device opened afresh.
std::vector<msg_store::Conversation> conversations(const std::string& dir, int threadId) {
    msg_device::Device::closeDefault();
    setenv("MSG_DEVICE_DIR", dir.c_str(), 1);
    std::vector<msg_store::Conversation> out;
    msg_store::MessageManager().getConversations(threadId, out);
    msg_device::Device::closeDefault();
    return out;
}

} // namespace

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
    EXPECT_EQ(rich.msgType, "mms");
    EXPECT_TRUE(rich.isProtected);
    EXPECT_EQ(rich.simIndex, 1);
    EXPECT_EQ(rich.networkStatus, msg_store::NETWORK_STATUS_RETRIEVE_FAIL);
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
