// The sending popup following the store: only a final status ends it, with the check mark and the
// sent text (a failure's text is the send texts' test); a phone that never answers does not leave it up.
#include "FeedSync.h"
#include "MainLoop.h"
#include "WatchScreenTest.h"
#include "common/popup/MCommonProgressPopup.h"
#include "compose/MCUtil.h"
#include "compose/send/MCPopup.h"
#include "msg_store/ConnectionManager.h"
#include "msg_store/MessageManager.h"
#include "msg_store/PhoneSide.h"

using namespace msg_app::compose;
using msg_app::MCommonProgressPopup;

namespace {

class SendingPopupTest : public WatchScreenTest {
protected:
    void SetUp() override {
        WatchScreenTest::SetUp();
        applyProfile("phone-bt");
        msg = std::make_shared<MCMsgData>();
        ASSERT_EQ(0, msg_store::MessageManager().sendSMS(0, "01012345678", "hello", 0, &msg->sentMsgId));
        MCommonProgressPopup* created =
            MCPopup::createSendingPopup(timer, APP_CONTROL_IN_APP, [this] { ++gone; });
        ASSERT_TRUE(page->attachPopup(created));
        popup = std::static_pointer_cast<MCommonProgressPopup>(created->getWeakPtr().lock());
        msg_store::ConnectionManager::subscribeEvent(msg_store::EVENT_TYPE_STORAGE_CHANGE, changedCb, this);
        settle();
    }
    void TearDown() override {
        msg_store::ConnectionManager::unsubscribeEvent(msg_store::EVENT_TYPE_STORAGE_CHANGE, changedCb, this);
        WatchScreenTest::TearDown();
    }
    static void changedCb(const char* payload, void* data) {
        auto* self = static_cast<SendingPopupTest*>(data);
        MCUtil::storageChangeCb(payload, self->msg, self->timer, self->retailTimer, self->popup);
    }
    std::string text() {
        auto shown = popup.lock();
        return shown ? partText(elm_object_content_get(shown->getEvasObject()), "text") : std::string();
    }

    std::shared_ptr<MCMsgData> msg;
    std::weak_ptr<view_kit::WTimer> timer;
    std::weak_ptr<view_kit::WTimer> retailTimer;
    std::weak_ptr<MCommonProgressPopup> popup;
    int gone = 0;
};

TEST_F(SendingPopupTest, OnlyAFinalStatusEndsIt) {
    // Another message's change, and this one's read state, are not its end.
    int otherId = 0;
    ASSERT_EQ(0, msg_store::MessageManager().sendSMS(0, "0109999999", "other", 0, &otherId));
    ASSERT_EQ(0, msg_store::PhoneSide::deliver(otherId));
    ASSERT_TRUE(msg_test::waitForEarlierChanges());
    EXPECT_EQ("Sending...", text());
    ASSERT_EQ(0, msg_store::PhoneSide::deliver(msg->sentMsgId));
    ASSERT_TRUE(msg_test::pumpUntil([&] { return text() == "Message sent."; }));
    ASSERT_TRUE(msg_test::pumpUntil([&] { return popup.expired(); }));
    EXPECT_EQ(1, gone);
}

TEST_F(SendingPopupTest, APhoneThatNeverAnswersDoesNotKeepItUp) {
    ASSERT_TRUE(msg_test::pumpUntil([&] { return popup.expired(); }, MCPopup::SENDING_TIMEOUT + 5.0));
    EXPECT_EQ(1, gone);
}

} // namespace
