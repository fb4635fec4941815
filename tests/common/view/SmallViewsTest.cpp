// The selection count button, the web page without a web engine and the watch on a page's push.
#include "WatchScreenTest.h"
#include "common/view/MCommonCountBtnViewController.h"
#include "common/view/MCommonPushWatch.h"
#include "common/view/MCommonWebContentViewController.h"
#include "view_kit/WNaviframeController.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

using msg_app::MCommonCountBtnViewController;
using msg_app::MCommonPushWatch;
using msg_app::MCommonWebContentViewController;

namespace {

class SmallViewsTest : public WatchScreenTest {
protected:
    // The layout of select mode over the window, where the count button goes.
    Evas_Object* selectModeHeader() {
        Evas_Object* header = elm_layout_add(window->getEvasObject());
        if (!elm_layout_theme_set(header, "layout", "select_mode", "default"))
            return nullptr;
        evas_object_size_hint_weight_set(header, EVAS_HINT_EXPAND, EVAS_HINT_EXPAND);
        elm_win_resize_object_add(window->getEvasObject(), header);
        evas_object_show(header);
        return header;
    }
    // Pixels of the window drawn in the count's blue inside `obj`, once the canvas has rendered.
    int countPixelsIn(Evas_Object* obj) {
        settle();
        Ecore_Evas* ee = ecore_evas_ecore_evas_get(evas());
        ecore_evas_manual_render(ee);
        int width = 0, height = 0;
        ecore_evas_geometry_get(ee, nullptr, nullptr, &width, &height);
        const auto* pixels = static_cast<const uint32_t*>(ecore_evas_buffer_pixels_get(ee));
        int x = 0, y = 0, w = 0, h = 0;
        evas_object_geometry_get(obj, &x, &y, &w, &h);
        int blue = 0;
        for (int row = std::max(y, 0); pixels && row < std::min(y + h, height); ++row) {
            for (int col = std::max(x, 0); col < std::min(x + w, width); ++col) {
                uint32_t argb = pixels[row * width + col];
                int r = (argb >> 16) & 0xff, b = argb & 0xff;
                blue += b > 150 && b > r + 80;
            }
        }
        return blue;
    }
};

TEST_F(SmallViewsTest, CountButtonShowsEveryDigitOfItsCountAndReportsTaps) {
    Evas_Object* header = selectModeHeader();
    ASSERT_NE(header, nullptr);
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
    count->setCount(1);
    count->show();
    const int one = countPixelsIn(button);
    ASSERT_GT(one, 0) << "the count is not drawn";
    // Each count as the user reaches it, from the one before; a count cut short shows a few dots.
    for (int shown : {9, 10, 99, 100, 3001, 8}) {
        SCOPED_TRACE(shown);
        count->setCount(shown);
        count->show();
        const int digits = static_cast<int>(std::to_string(shown).size());
        EXPECT_GT(countPixelsIn(button), digits * one / 2) << "fewer pixels than its digits draw";
    }
    clickCenter(button);
    settle();
    EXPECT_EQ(1, taps);
    elm_object_signal_emit(header, "select_mode,button,hide", "");
    EXPECT_TRUE(msg_test::runLoopUntilPartState(elm_layout_edje_get(header), "elm.swallow.icon", "default"));
}

TEST_F(SmallViewsTest, LocationSharingLinksGetTheViewerParametersByThePhonesRegion) {
    // Without the web engine the page is not made and the page below stays the top.
    EXPECT_FALSE(window->getNaviframeController()->push(
        new MCommonWebContentViewController("https://glympse.com/abc")));
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

// Waiting for a page's push to finish: only that page's transition counts, once, and a watch
// outlives neither its stop nor its naviframe.
TEST_F(SmallViewsTest, APushWatchHearsOnlyItsOwnPagesPushOnceAndNothingStoppedOrOrphaned) {
    MCommonPushWatch watch;
    int finished = 0;
    // Pushes a page over the host page, watched (and stopped) as asked, and waits until its push ended.
    auto pushPage = [&](bool watchIt, bool stopIt) {
        auto* over = new HostPage();
        EXPECT_TRUE(doAndWaitForTransition([&] {
            EXPECT_TRUE(window->getNaviframeController()->push(over));
            if (watchIt) {
                EXPECT_TRUE(watch.watch(over->getNaviframeItem(), [&] { ++finished; }));
            }
            if (stopIt)
                watch.stop();
        }));
        settle();
        return over;
    };
    // The host page is already in: another page's push over it is not its own.
    ASSERT_TRUE(watch.watch(page->getNaviframeItem(), [&] { ++finished; }));
    HostPage* over = pushPage(false, false);
    EXPECT_EQ(0, finished);
    EXPECT_TRUE(watch.isWatching());

    over->popOut();
    settle();
    over = pushPage(true, false);
    EXPECT_EQ(1, finished);
    EXPECT_FALSE(watch.isWatching());

    // Done once: leaving the page again does not call back.
    over->popOut();
    settle();
    EXPECT_EQ(1, finished);

    // Stopped while the push runs.
    pushPage(true, true);
    EXPECT_EQ(1, finished);
    EXPECT_FALSE(watch.isWatching());
    EXPECT_FALSE(watch.watch(nullptr, [&] { ++finished; }));

    // A naviframe that goes first takes the watch's connection with it.
    Evas_Object* naviframe = elm_naviframe_add(window->getEvasObject());
    Elm_Object_Item* item =
        elm_naviframe_item_push(naviframe, nullptr, nullptr, nullptr, elm_bg_add(naviframe), nullptr);
    ASSERT_TRUE(watch.watch(item, [&] { ++finished; }));
    EXPECT_TRUE(watch.isWatching());
    evas_object_del(naviframe);
    EXPECT_FALSE(watch.isWatching());
    settle();
    EXPECT_EQ(1, finished);
}

} // namespace
