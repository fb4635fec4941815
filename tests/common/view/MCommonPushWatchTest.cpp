// Waiting for a page's push to finish: only that page's transition counts, once, and a watch
// outlives neither its stop nor its naviframe.
#include "common/view/MCommonPushWatch.h"
#include "WatchScreenTest.h"
#include "view_kit/WNaviframeController.h"

#include <gtest/gtest.h>

using msg_app::MCommonPushWatch;

namespace {

class MCommonPushWatchTest : public WatchScreenTest {
protected:
    // Pushes a page over the host page, watched (and stopped) as asked, and waits until its push has
    // ended.
    HostPage* pushPage(MCommonPushWatch& watch, int& finished, bool watchIt, bool stopIt = false) {
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
    }
};

TEST_F(MCommonPushWatchTest, OnlyItsOwnPagesPushCountsOnceAndStoppedOrOrphanedWatchesStaySilent) {
    MCommonPushWatch watch;
    int finished = 0;
    // The host page is already in: another page's push over it is not its own.
    ASSERT_TRUE(watch.watch(page->getNaviframeItem(), [&] { ++finished; }));
    HostPage* over = pushPage(watch, finished, false);
    EXPECT_EQ(0, finished);
    EXPECT_TRUE(watch.isWatching());

    over->popOut();
    settle();
    over = pushPage(watch, finished, true);
    EXPECT_EQ(1, finished);
    EXPECT_FALSE(watch.isWatching());

    // Done once: leaving the page again does not call back.
    over->popOut();
    settle();
    EXPECT_EQ(1, finished);

    // Stopped while the push runs.
    pushPage(watch, finished, true, true);
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
