// The compose process's first page for each request it accepts: a shared text (cut to one SMS
// page only where MMS cannot carry it, and then told), an "sms:" address, the input selector's
// chosen text, a request without recipients, and a refused one. (The selector's "Keyboard" is the
// real-window journey's and the request parser's.)
#include "BodyScreenFixture.h"
#include "ComposeFirstPage.h"
#include "compose/body/MCComposerOpener.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

using namespace msg_app::compose;

namespace {

class ComposeStartTest : public BodyScreenFixture {
protected:
    void TearDown() override {
        MCComposerOpener::setRecipientScreenFactory(nullptr);
        if (request)
            app_control_destroy(request);
        BodyScreenFixture::TearDown();
    }
    // A new request in place of the last one.
    void newRequest() {
        if (request)
            app_control_destroy(request);
        app_control_create(&request);
    }
    // A shared text, to the address of the URI when there is one.
    void share(const std::string& text, const char* uri) {
        newRequest();
        app_control_set_operation(request, APP_CONTROL_OPERATION_SHARE_TEXT);
        app_control_add_extra_data(request, APP_CONTROL_DATA_TEXT, text.c_str());
        if (uri)
            app_control_set_uri(request, uri);
    }
    // Pushes the page the process would open; the body screen when it is one.
    view_kit::WContentViewController* start() {
        view_kit::WContentViewController* first = createComposeFirstPage(request);
        EXPECT_NE(nullptr, first);
        return first ? show(first) : nullptr;
    }
    app_control_h request = nullptr;
};

// Where MMS can carry it a shared text stays whole (where it cannot, it is cut: below). How the editor
// takes the body's text and types past one SMS page is the editor's test.
TEST_F(ComposeStartTest, ASharedTextStaysWholeWhereMmsCarriesIt) {
    setMmsSupported(true);
    share(std::string(400, 's'), "sms:+15550100001");
    ASSERT_NE(nullptr, start());
    ASSERT_TRUE(screenOpen());
    EXPECT_EQ(std::vector<std::string>{"+15550100001"}, msg->recipient);
    EXPECT_EQ(std::make_tuple(std::string(400, 's'), "", "MMS"),
              std::make_tuple(body()->getText(), popupText(), counter()));
    settle();
    EXPECT_EQ(nullptr, findToast()) << "a text kept whole is not told it was cut";
}

TEST_F(ComposeStartTest, WithoutRecipientsTheRecipientScreenComesFirst) {
    setMmsSupported(false);
    share(std::string(400, 'r'), nullptr);
    // The recipient screen gets the record and goes on to the body once a recipient is chosen.
    std::shared_ptr<MCMsgData> handed;
    app_control_h handedRequest = nullptr;
    MCComposerOpener::setRecipientScreenFactory([&](std::shared_ptr<MCMsgData> record, app_control_h handle) {
        handed = record;
        handedRequest = handle;
        return new HostPage();
    });
    ASSERT_NE(nullptr, start());
    ASSERT_NE(nullptr, handed);
    EXPECT_EQ(std::make_tuple(request, 3), std::make_tuple(handedRequest, handed->smsPageCount));
    handed->recipient = {"+15550100002"};
    open(handed);
    EXPECT_EQ(std::string(160, 'r'), body()->getText());
    EXPECT_TRUE(waitPopupText("Maximum number of characters reached."));
}

TEST_F(ComposeStartTest, OtherRequestsOpenNoBody) {
    // The input selector's chosen text.
    newRequest();
    const char* items[] = {"address:01012345678"};
    app_control_add_extra_data_array(request, "selector_keyboard_data_array", items, 1);
    app_control_add_extra_data(request, "selected_context", "on my way");
    view_kit::WContentViewController* first = start();
    ASSERT_NE(nullptr, first);
    EXPECT_STREQ("MCSendContentViewController", first->getClassName()) << "a chosen text is sent at once";
    first->destroy();
    settle();

    // A request the composer cannot keep for its pages is refused with the toast, not a blank page.
    MCComposerOpener::setRecipientScreenFactory(
        [](std::shared_ptr<MCMsgData>, app_control_h) -> view_kit::WContentViewController* {
            return nullptr;
        });
    share("to nobody yet", nullptr);
    first = start();
    ASSERT_NE(nullptr, first);
    EXPECT_STREQ("ComposeRefusalScreen", first->getClassName());
    EXPECT_TRUE(waitPopupText("Couldn't send message."));
    first->destroy();
    settle();

    setBool("db/telephony/flight_mode", true);
    share("grounded", "sms:+15550100001");
    first = start();
    ASSERT_NE(nullptr, first);
    EXPECT_STREQ("ComposeRefusalScreen", first->getClassName());
    EXPECT_TRUE(waitPopupText("Can't send messages. Turn off Airplane mode and try again."));
}

} // namespace
