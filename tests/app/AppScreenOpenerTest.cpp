// The application, while it runs, opens the features' real pages for any screen that asks.
#include "Application.h"
#include "ShotScreens.h"
#include "common/IMCommonScreenOpener.h"
#include "viewer/MVContentViewController.h"

#include "vconf.h"

#include <gtest/gtest.h>

namespace {

TEST(AppScreenOpenerTest, TheRunningApplicationOpensTheFeaturesPagesAndStopsOpeningThemAfter) {
    msg_app::shell::registerBuiltinScreens();
    msg_app::shell::Application app(msg_app::shell::Application::Options{});
    ASSERT_TRUE(app.start());
    msg_app::IMCommonScreenOpener* opener = msg_app::screen_opener::get();
    ASSERT_NE(opener, nullptr);

    view_kit::WContentViewController* page = opener->createConversation(7);
    auto* viewer = dynamic_cast<msg_app::msg_viewer::MVContentViewController*>(page);
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(viewer->getThreadId(), 7);
    page->destroy();

    // The blocked message's page is opened by the journey tests, from the blocked list.
    view_kit::WViewController* errorPopup = nullptr;
    page = opener->createComposer(&errorPopup);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(errorPopup, nullptr);
    page->destroy();

    // The composer's checks for a reply: a valid number passes, flight mode refuses with its popup.
    EXPECT_TRUE(opener->checkComposer({"+15550100001"}, &errorPopup));
    EXPECT_EQ(errorPopup, nullptr);
    ASSERT_EQ(vconf_set_bool("db/telephony/flight_mode", 1), VCONF_OK);
    EXPECT_FALSE(opener->checkComposer({"+15550100001"}, &errorPopup));
    ASSERT_NE(errorPopup, nullptr);
    errorPopup->destroy();
    vconf_set_bool("db/telephony/flight_mode", 0);

    app.stop();
    EXPECT_EQ(msg_app::screen_opener::get(), nullptr);
}

} // namespace
