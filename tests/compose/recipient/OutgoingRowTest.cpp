// The phone/watch choice of a watch with its own SIM: offered above the recipient, the road a new
// message leaves by, refused when that road is not there. Its own program: whether the watch has
// telephony is read once per process.
#include "RecipientScreenTest.h"

#include "compose/recipient/MCItemOutgoingButton.h"
#include "compose/send/MCOutgoingMgr.h"

using namespace msg_app::compose;

namespace {

class OutgoingRowTest : public RecipientScreenTest {
protected:
    void SetUp() override {
        RecipientScreenTest::SetUp();
        applyProfile("standalone");
    }
    // The last element the input selector was asked with.
    std::string askedFromType() {
        std::vector<LaunchEntry> asked = launchesTo(MCRecipientContentViewController::INPUT_SELECTOR_APP_ID);
        if (asked.empty())
            return "";
        std::vector<std::string> items = selectorItems(asked.back());
        closeLaunched(asked.back());
        return items.empty() ? "" : items.back();
    }
};

} // namespace

TEST_F(OutgoingRowTest, TheChosenRoadIsHandedToTheSelectorAndAMissingOneIsRefused) {
    ASSERT_TRUE(open("+15550100012"));
    using T = MCItem::Type;
    EXPECT_EQ((std::vector<T>{T::PADDING, T::OUTGOING_BUTTON, T::RCPT_LABEL, T::RCPT_NEXT_BUTTON}),
              rowTypes());
    auto* road = row<MCItemOutgoingButton>();
    ASSERT_NE(nullptr, road);
    // Without a phone the watch's own number is the only road.
    EXPECT_EQ(SendBy::HULM, MCOutgoingMgr::getInstance()->getSendBy());
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return takesInput(road->getPhoneButton()); }));
    tap(road->getPhoneButton());
    EXPECT_TRUE(waitToast("Can't change the outgoing number now."));
    EXPECT_EQ(SendBy::HULM, MCOutgoingMgr::getInstance()->getSendBy());
    screen->destroyPopup();
    tap(next->getButton());
    EXPECT_EQ("from_type:watch", askedFromType());

    // A phone reached over the internet can carry it too.
    applyProfile("remote");
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return takesInput(road->getPhoneButton()); }));
    tap(road->getPhoneButton());
    settle();
    EXPECT_FALSE(hasToast("Can't change the outgoing number now."));
    EXPECT_EQ(SendBy::PHONE, MCOutgoingMgr::getInstance()->getSendBy());
    tap(next->getButton());
    EXPECT_EQ("from_type:phone", askedFromType());
}
