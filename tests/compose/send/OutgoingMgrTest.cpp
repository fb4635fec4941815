// The decision before a send and the send itself, on a watch with telephony of its own and a
// carrier without special rules (the carrier is read once per process).
#include "CommonDeviceTest.h"

#include "JournalStore.h"
#include "common/MCommonNumberSync.h"
#include "common/MCommonTapi.h"
#include "compose/send/MCOutgoingChoice.h"
#include "compose/send/MCOutgoingMgr.h"
#include "compose/send/MCSendMgr.h"
#include "msg_store/MessageManager.h"
#include "msg_store/PhoneSide.h"

#include <tuple>

using namespace msg_app::compose;

namespace {

class OutgoingMgrTest : public CommonDeviceTest {
protected:
    void SetUp() override {
        CommonDeviceTest::SetUp();
        outgoing->setSendBy(SendBy::NONE);
    }
    void TearDown() override {
        // The modem and number services hold handles on this test's device; the next test opens
        // telephony anew, as a new process would.
        msg_app::MCommonTapi::getInstance()->release();
        msg_app::MCommonTapi::destroy();
        msg_app::MCommonNumberSync::getInstance()->release();
        CommonDeviceTest::TearDown();
    }
    // The profile and the one it may add on top; their names, for the trace.
    std::string applyProfiles(const char* profile, const char* extra) {
        applyProfile(profile);
        if (extra)
            applyProfile(extra);
        return std::string(profile) + (extra ? std::string("+") + extra : "");
    }
    std::vector<std::string> usage() {
        std::vector<std::string> lines;
        for (const auto& entry : msg_services::JournalStore::list("usage"))
            lines.push_back(entry.category + " " + entry.text);
        return lines;
    }
    MCOutgoingMgr* outgoing = MCOutgoingMgr::getInstance();
};

TEST_F(OutgoingMgrTest, TheRoadFollowsTheLinks) {
    const struct {
        const char* profile;
        const char* extra;
        SendBy preferred;
        MCOutgoingMgr::Error error;
        SendBy road;
    } cases[] = {
        {"standalone", nullptr, SendBy::NONE, MCOutgoingMgr::ERROR_NONE, SendBy::HULM},
        {"remote", nullptr, SendBy::NONE, MCOutgoingMgr::ERROR_NONE, SendBy::HULM},
        {"phone-bt", nullptr, SendBy::NONE, MCOutgoingMgr::ERROR_NONE, SendBy::PHONE},
        {"standalone", "no-sim", SendBy::NONE, MCOutgoingMgr::ERROR_NO_NETWORK, SendBy::NONE},
        {"phone-bt", nullptr, SendBy::HULM, MCOutgoingMgr::ERROR_SWITCH_TO_PHONE, SendBy::HULM},
        {"standalone", nullptr, SendBy::PHONE, MCOutgoingMgr::ERROR_SWITCH_TO_DEVICE, SendBy::PHONE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(applyProfiles(c.profile, c.extra));
        outgoing->setSendBy(c.preferred);
        MsgType type = MSG_TYPE_SMS;
        EXPECT_EQ(c.error, outgoing->checkNetworkAvailable(type, "01012345678", 0));
        EXPECT_EQ(c.road, outgoing->getSendBy());
    }
}

TEST_F(OutgoingMgrTest, ATappedRoadIsTakenOnlyWhenItCanCarryTheMessage) {
    // Number sync (offered on one carrier) decides which link each road needs: switched off, each
    // road its own; active, only the phone's road, over either link; otherwise only the watch's.
    struct Case {
        const char* profile;
        const char* extra;
        int syncStatus;
        bool phone, watch;
    };
    const Case cases[] = {
        {"standalone", nullptr, 4, false, true}, {"remote", nullptr, 4, true, true},
        {"standalone", nullptr, 0, true, false}, {"standalone", "no-sim", 0, false, false},
        {"standalone", nullptr, 1, false, true}, {"standalone", "no-sim", 1, false, false},
    };
    setString("db/zeq/salescode", "ATT");
    for (const auto& c : cases) {
        SCOPED_TRACE(applyProfiles(c.profile, c.extra) + " sync " + std::to_string(c.syncStatus));
        setInt("db/private/merrowin/status", c.syncStatus);
        for (auto [road, allowed] : {std::pair{SendBy::PHONE, c.phone}, std::pair{SendBy::HULM, c.watch}}) {
            outgoing->setSendBy(SendBy::NONE);
            EXPECT_EQ(std::make_tuple(allowed, allowed ? road : SendBy::NONE),
                      (std::tuple{MCOutgoingChoice::choose(road), outgoing->getSendBy()}));
        }
    }
    setString("db/zeq/salescode", "XAR");
}

TEST_F(OutgoingMgrTest, SendsAreLoggedOnlyWhenTheyWentOutAndEachReplyMarksItsMessageRead) {
    applyProfile("phone-bt");
    MCSendMgr::LogData log;
    log.logType = MCSendMgr::LOG_TYPE_NEW;
    log.fromMessageApp = 1;
    MCSendMgr::getInstance()->setLogData(log);
    auto msg = std::make_shared<MCMsgData>();
    msg->recipient = {"01012345678"};
    msg->body = "logged";
    MCSendMgr* send = MCSendMgr::getInstance();
    ASSERT_EQ(MCSendMgr::SEND_OK, send->sendMessageByType(SendBy::PHONE, msg, nullptr));
    EXPECT_GT(msg->sentMsgId, 0);
    EXPECT_EQ((std::vector<std::string>{"SNDM BT", "1002 BT"}), usage());

    auto nobody = std::make_shared<MCMsgData>();
    nobody->body = "to nobody";
    EXPECT_EQ(MCSendMgr::SEND_PHONE_FAILED, send->sendMessageByType(SendBy::PHONE, nobody, nullptr));
    EXPECT_EQ(2u, usage().size()) << "a failed send is not counted";
    EXPECT_EQ(MCSendMgr::SEND_PHONE_FAILED, send->sendMessageByType(SendBy::NONE, msg, nullptr));
    EXPECT_EQ(MCSendMgr::SEND_NO_MESSAGE, send->sendMessageByType(SendBy::PHONE, nullptr, nullptr));

    // The answered message is read once its reply goes out, for every reply the process sends, and a
    // record keeps what its own send has done.
    std::vector<msg_store::IncomingMessage> received(2);
    for (size_t i = 0; i < received.size(); ++i) {
        received[i].addresses = {{msg_store::ADDRESS_TYPE_PHONE, "0101234567" + std::to_string(i)}};
        received[i].text = "question " + std::to_string(i);
    }
    std::vector<int> ids;
    ASSERT_EQ(msg_store::MSG_STORE_SUCCESS, msg_store::PhoneSide::insertMessages(received, &ids));
    for (size_t i = 0; i < ids.size(); ++i) {
        SCOPED_TRACE(i);
        auto reply = std::make_shared<MCMsgData>();
        reply->recipient = {received[i].addresses.front().address};
        reply->body = "answer";
        reply->msgId = ids[i];
        reply->readRequest = 1;
        EXPECT_FALSE(MCSendMgr::getIsSendMsg(*reply));
        ASSERT_EQ(MCSendMgr::SEND_OK, send->sendMessageByType(SendBy::PHONE, reply, nullptr));
        EXPECT_TRUE(MCSendMgr::getIsSendMsg(*reply));
        msg_store::Message answered;
        ASSERT_EQ(msg_store::MSG_STORE_SUCCESS, msg_store::MessageManager().getMessage(ids[i], answered));
        EXPECT_TRUE(answered.isRead);
    }
}

} // namespace
