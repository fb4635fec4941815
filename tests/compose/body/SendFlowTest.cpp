// The composer's send flow on the body screen, off the happy path: each of its questions accepted,
// refused and backed out of; a road that fails after the user switched to it; a long text sent as the
// messages its question promised; one tap making one message. (A failed copy replaced by its resend is
// the body screen's test.)
#include "BodyScreenFixture.h"
#include "FeedSync.h"
#include "common/CommonUiHelper.h"
#include "compose/send/MCOutgoingMgr.h"

#include <gtest/gtest.h>

#include <functional>
#include <glib.h>

using namespace msg_app::compose;

namespace {

std::string text(const char* id) {
    return msg_app::common_ui_helper::get_text(id);
}

// A process of its own: whether the watch has a radio is read once per process, and here it has one.
class SendFlowTest : public BodyScreenFixture {
protected:
    void SetUp() override {
        BodyScreenFixture::SetUp();
        setFeature("network.telephony", "on");
        setFeature("network.telephony.mms", "on");
    }
    void TearDown() override {
        MCOutgoingMgr::getInstance()->setSendBy(SendBy::NONE);
        BodyScreenFixture::TearDown();
    }
    // Send as its tap does it: below a long text the button is out of the finger's reach.
    void tapSend() {
        ASSERT_NE(nullptr, body());
        evas_object_smart_callback_call(body()->getSendButton(), "clicked", nullptr);
        settle();
    }
    // The watch's own SIM cannot send; the phone, reached over the internet, can.
    void watchRoadDown() {
        applyProfile("remote");
        applyProfile("no-sim");
        MCOutgoingMgr::getInstance()->setSendBy(SendBy::HULM);
    }
};

// Each question, answered each way: OK goes on with the send, anything else leaves the screen and its
// text as they were and stores nothing. (Both switches are one question; the switch to the watch is
// answered OK only.) OK on a switch replaces the question by the sending popup while the question's
// own callback still runs. What OK sends is the messages the question named, in order, each within
// its limit, and the screen goes once the phone delivered them. Where the road switched to fails as
// well, the screen and its text stay for another try, as after any failure.
TEST_F(SendFlowTest, EachQuestionAnsweredEachWay) {
    std::string longText;
    for (size_t i = 0; i < 1100; ++i)
        longText += static_cast<char>('a' + i % 26);
    const std::string toPhone =
        text("WDS_MSG_POP_HULM_NUMBER_NOT_AVAILABLE_CHANGE_OUTGOING_NUMBER_TO_PHONE_NUMBER_Q");
    struct Case {
        const char* what;
        std::function<void()> setUp; // after the screen opened
        std::string body;
        std::string question;
        const char* sent;   // the types OK sends, in order; empty: nothing
        bool fails = false; // OK's send fails: answered OK only
    };
    const Case cases[] = {
        {"switch to the phone", [this] { watchRoadDown(); }, "hi", toPhone, "sms"},
        {"switch to the phone, which refuses the message",
         [this] {
             watchRoadDown();
             msg->simIndex = -1;
         },
         "Running late", toPhone, "", true},
        {"switch to the watch, whose modem fails",
         [this] {
             applyProfile("standalone"); // no phone: the watch sends from its own SIM
             MCOutgoingMgr::getInstance()->setSendBy(SendBy::PHONE);
             setInt("memory/private/msg/next_send_error", -11);
         },
         "Running late",
         text("WDS_MSG_POP_PHONE_NUMBER_NOT_AVAILABLE_CHANGE_OUTGOING_NUMBER_TO_HULM_NUMBER_Q"), "", true},
        // Which of the network texts it is depends on the modem; any notice will do.
        {"no road",
         [this] {
             applyProfile("standalone");
             applyProfile("no-sim");
         },
         "hi", "", ""},
        {"the network's refusal",
         [this] {
             applyProfile("standalone");
             applyProfile("carrier-kt");
             setInt("memory/telephony/cs_rej_cause", 7);
         },
         "hi", text("IDS_MSG_TPOP_FAILED_TO_SEND_MESSAGE_NETWORK_REGISTRATION_FAILED_KOR"), ""},
        {"a SIM to activate",
         [this] {
             applyProfile("standalone");
             applyProfile("carrier-skt");
             setInt("memory/private/telephony/skt_sim_is_activated", 0);
         },
         "hi",
         text("IDS_PROV_POP_PHONE_ACTIVATION_REQUIRED_N_CONTACT_YOUR_CUSTOMER_CENTRE_OR_LOCAL_DEALER_KOR"),
         ""},
        {"above one MMS", [] {}, longText,
         "Messages can only have up to 1000 characters. Send as 1 multimedia message and 1 text message?",
         "mms sms"},
    };
    auto sentTypes = [] {
        std::string types;
        for (const auto& entry : outbox())
            types += (types.empty() ? "" : " ") + entry.msgType;
        return types;
    };
    enum Answer { OK, CANCEL, BACK };
    for (const auto& c : cases) {
        for (Answer answer : {CANCEL, BACK, OK}) {
            // A notice's one button is both its OK and its Cancel.
            if ((answer == CANCEL && !*c.sent) || (answer != OK && c.fails))
                continue;
            SCOPED_TRACE(std::string(c.what) + " answered " + std::to_string(answer));
            applyProfile("phone-bt");
            MCOutgoingMgr::getInstance()->setSendBy(SendBy::NONE);
            open(c.body);
            c.setUp();
            tapSend();
            if (c.question.empty())
                ASSERT_TRUE(msg_test::pumpUntil([&] { return popup() != nullptr; }));
            else
                ASSERT_TRUE(waitPopupText(c.question)) << popupText();
            // Two buttons: Cancel on the left, OK on the right; a notice has its OK alone.
            bool twoButtons = elm_object_part_content_get(popup(), "button2") != nullptr;
            if (answer == BACK)
                pressKey("Escape");
            else
                ASSERT_TRUE(tapPopupButton(answer == OK && twoButtons ? "button2" : "button1"));
            if (c.fails) {
                ASSERT_TRUE(waitPopupText(text("WDS_MSG_TPOP_COULDNT_SEND_MESSAGE_ABB"))) << popupText();
            }
            if (answer == OK && *c.sent) {
                ASSERT_TRUE(msg_test::pumpUntil([&] { return sentTypes() == c.sent; })) << sentTypes();
                ASSERT_TRUE(waitPopupText(text("WDS_WNOTI_TPOP_SENDING_ING_ABB"))) << popupText();
                std::string joined;
                for (const auto& entry : outbox()) {
                    std::string part = stored(entry.msgId).text;
                    EXPECT_LE(g_utf8_strlen(part.c_str(), -1), 1000);
                    joined += part;
                    ASSERT_EQ(0, msg_store::PhoneSide::deliver(entry.msgId));
                }
                EXPECT_EQ(c.body, joined);
            } else {
                ASSERT_TRUE(waitNoPopup());
                ASSERT_TRUE(msg_test::waitForEarlierChanges());
                EXPECT_TRUE(outbox().empty());
                ASSERT_TRUE(screenOpen());
                EXPECT_EQ(c.body, body()->getText());
                EXPECT_EQ(c.body, msg->body);
                ASSERT_TRUE(backAndAnswer("button2"));
            }
            ASSERT_TRUE(msg_test::pumpUntil([&] { return !screenOpen(); }, 15.0));
        }
    }
}

// A message the watch holds until service returns is on its way: the screen goes after saying so, and
// no second tap makes a second message.
TEST_F(SendFlowTest, OneTapMakesOneMessage) {
    applyProfile("standalone");
    applyProfile("no-service");
    open("once");
    tapSend();
    ASSERT_TRUE(waitPopupText(text("WDS_MSG_TPOP_MESSAGE_WILL_BE_SENT_WHEN_SERVICE_BECOMES_AVAILABLE_ABB")))
        << popupText();
    ASSERT_EQ(1u, outbox().size());
    ASSERT_TRUE(waitNoPopup());
    settle();
    if (screenOpen())
        tapSend();
    ASSERT_TRUE(msg_test::pumpUntil([&] { return !screenOpen(); }));
    ASSERT_TRUE(msg_test::waitForEarlierChanges());
    EXPECT_EQ(1u, outbox().size());
}

} // namespace
