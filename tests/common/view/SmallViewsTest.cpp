// The selection count button and the web page without a web engine.
#include "WatchScreenTest.h"
#include "common/view/MCommonCountBtnViewController.h"
#include "common/view/MCommonWebContentViewController.h"
#include "view_kit/WNaviframeController.h"

#include <gtest/gtest.h>

using msg_app::MCommonCountBtnViewController;
using msg_app::MCommonWebContentViewController;

namespace {

class SmallViewsTest : public WatchScreenTest {};

TEST_F(SmallViewsTest, CountButtonShowsTheCountAndReportsTaps) {
    Evas_Object* header = elm_layout_add(window->getEvasObject());
    ASSERT_TRUE(elm_layout_theme_set(header, "layout", "select_mode", "default"));
    evas_object_size_hint_weight_set(header, EVAS_HINT_EXPAND, EVAS_HINT_EXPAND);
    elm_win_resize_object_add(window->getEvasObject(), header);
    evas_object_show(header);

    auto* count = new MCommonCountBtnViewController();
    int taps = 0;
    count->setClickedCb([&] { ++taps; });
    ASSERT_TRUE(count->create(header, nullptr));
    Evas_Object* button = count->getEvasObject();

    count->show();
    EXPECT_STREQ("0", elm_object_text_get(button));
    count->setCount(12);
    count->show();
    EXPECT_STREQ("12", elm_object_text_get(button));

    // The selection-mode header slides the button in.
    elm_object_signal_emit(header, "select_mode,button,show", "");
    ASSERT_TRUE(msg_test::runLoopUntilPartState(elm_layout_edje_get(header), "elm.swallow.icon", "visible"));
    clickCenter(button);
    settle();
    EXPECT_EQ(1, taps);
    elm_object_signal_emit(header, "select_mode,button,hide", "");
    EXPECT_TRUE(msg_test::runLoopUntilPartState(elm_layout_edje_get(header), "elm.swallow.icon", "default"));
}

TEST_F(SmallViewsTest, LocationSharingLinksGetTheViewerParametersByThePhonesRegion) {
    // Without the web engine the page is not made and the page below stays the top.
    auto* web = new MCommonWebContentViewController("https://glympse.com/abc");
    EXPECT_FALSE(window->getNaviframeController()->push(web));
    EXPECT_TRUE(window->getNaviframeController()->isTopContentViewController(page));

    const std::string viewer =
        "disableSummary=1&showControls=0&noHeaders=1&showFullView=-1&altView=0&showShadows=0&balloonMode=-1";
    const std::string link = "https://glympse.com/abc-123";
    // The phone's default network is outside the three regions.
    EXPECT_EQ(0, MCommonWebContentViewController::getCurrentRegion());
    EXPECT_EQ(link + "?v=2&" + viewer, MCommonWebContentViewController::makeLoadUrl(link, 0));
    for (int region : {450, 440, 460, 310}) {
        setInt("db/wms/host_status/mcc", region);
        int current = MCommonWebContentViewController::getCurrentRegion();
        EXPECT_EQ(region == 310 ? 0 : region, current);
        EXPECT_EQ(link + (region == 310 ? "?v=2&" : "?") + viewer,
                  MCommonWebContentViewController::makeLoadUrl(link, current))
            << region;
    }
    EXPECT_EQ("https://example.com/map",
              MCommonWebContentViewController::makeLoadUrl("https://example.com/map", 0));
    // A link with a query or a fragment of its own keeps them: one "?", parameters before the "#".
    const std::pair<std::string, std::string> withQuery[] = {
        {link + "?lang=de", link + "?lang=de&" + viewer},
        {link + "?", link + "?" + viewer},
        {link + "#map", link + "?" + viewer + "#map"},
        {link + "?a=1#map", link + "?a=1&" + viewer + "#map"},
    };
    for (const auto& [url, loaded] : withQuery)
        EXPECT_EQ(loaded, MCommonWebContentViewController::makeLoadUrl(url, 450)) << url;
}

} // namespace
