// The progress popup's minimum display time, its job, the job data and cancellation.
#include "common/popup/MCommonProgressPopup.h"
#include "EflTest.h"
#include "WatchScreenTest.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

using msg_app::MCommonProgressPopup;

namespace {

using Clock = std::chrono::steady_clock;

std::atomic<int> freedJobData{0};

void freeJobData(void* data) {
    ++freedJobData;
    delete static_cast<int*>(data);
}

class MCommonProgressPopupTest : public WatchScreenTest {
protected:
    // Runs a job of the given length and returns how long the popup stayed up.
    double showJob(double jobSeconds) {
        ended = 0;
        // The popup's clock starts when it is made, before it is attached.
        auto start = Clock::now();
        MCommonProgressPopup* popup = MCommonProgressPopup::createBgActionPopup(
            MCommonProgressPopup::FULL, "WDS_MSG_OPT_DELETE_ABB",
            [jobSeconds](void*, view_kit::WThread::IStatus*, Ecore_Thread*) {
                std::this_thread::sleep_for(std::chrono::duration<double>(jobSeconds));
            },
            nullptr, [this](void* data) { ended += data == this; }, nullptr, this);
        EXPECT_TRUE(page->attachPopup(popup));
        auto weak = popup->getWeakPtr();
        EXPECT_TRUE(msg_test::runLoopUntil([&] { return weak.expired(); }, jobSeconds + 3.0));
        return std::chrono::duration<double>(Clock::now() - start).count();
    }

    int ended = 0;
};

TEST_F(MCommonProgressPopupTest, QuickJobIsHeldToTheMinimumAndLongJobEndsThePopup) {
    EXPECT_GE(showJob(0.2), MCommonProgressPopup::MIN_DISPLAY_TIME);
    EXPECT_EQ(1, ended);
    EXPECT_GE(showJob(2.0), 2.0);
    EXPECT_EQ(1, ended);
}

TEST_F(MCommonProgressPopupTest, WorkerHandsResultsAndJobDataToTheMainLoop) {
    freedJobData = 0;
    std::vector<int> results;
    bool secondAddRefused = false;
    // The job lasts until the test has looked at its data, so that the popup is still up.
    std::atomic<bool> looked{false};
    std::atomic<bool> published{false};
    MCommonProgressPopup* popup = MCommonProgressPopup::createBgActionPopup(
        MCommonProgressPopup::SENDING, "WDS_MSG_OPT_DELETE_ABB",
        [&](void*, view_kit::WThread::IStatus* status, Ecore_Thread*) {
            for (int i = 1; i <= 3; ++i) {
                if (!status->notify(new int(i)))
                    ADD_FAILURE() << "notify refused";
            }
            popup->addJobData(new int(42), freeJobData);
            int* second = new int(7);
            secondAddRefused = !popup->addJobData(second, freeJobData);
            if (secondAddRefused)
                delete second;
            published = true;
            while (!looked && !status->isCancelRequested())
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        },
        [&](void*, void* result) {
            results.push_back(*static_cast<int*>(result));
            delete static_cast<int*>(result);
        },
        [&](void*) { ++ended; }, nullptr, nullptr);
    ASSERT_TRUE(page->attachPopup(popup));
    auto weak = popup->getWeakPtr();
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return results.size() == 3 && published; }));
    EXPECT_EQ((std::vector<int>{1, 2, 3}), results);
    EXPECT_TRUE(secondAddRefused);
    auto* data = static_cast<int*>(popup->getJobData());
    ASSERT_NE(nullptr, data);
    EXPECT_EQ(42, *data);
    delete data;
    EXPECT_EQ(nullptr, popup->getJobData());
    looked = true;
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return weak.expired(); }, 5.0));
    // The item was taken, so nothing was left to free; the second one was never published.
    EXPECT_EQ(0, freedJobData.load());
    EXPECT_EQ(1, ended);
}

TEST_F(MCommonProgressPopupTest, BackKeyCancelsTheJobAndFreesLeftoverJobData) {
    freedJobData = 0;
    std::atomic<bool> sawCancel{false};
    std::atomic<bool> published{false};
    int backs = 0;
    MCommonProgressPopup* popup = MCommonProgressPopup::createBgActionPopup(
        MCommonProgressPopup::FULL, "WDS_MSG_OPT_DELETE_ABB",
        [&](void*, view_kit::WThread::IStatus* status, Ecore_Thread*) {
            popup->addJobData(new int(1), freeJobData);
            published = true;
            for (int i = 0; i < 500 && !status->isCancelRequested(); ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            sawCancel = status->isCancelRequested();
        },
        nullptr, [&](void*) { ++ended; },
        [&](void*, bool* destroyPopup) {
            ++backs;
            *destroyPopup = true;
        },
        nullptr);
    ASSERT_TRUE(page->attachPopup(popup));
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return published.load(); }));
    ASSERT_TRUE(backCloses(popup, 10.0));
    EXPECT_EQ(1, backs);
    EXPECT_EQ(1, ended);
    EXPECT_EQ(1, freedJobData.load());
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return sawCancel.load(); }));
}

// The owner may delete, when told the popup has gone, the widget that had the focus before it;
// the popup's object gives the focus back as it goes, so it must have gone first.
TEST_F(MCommonProgressPopupTest, PlainPopupLayoutsKeepUpOnTheBackKeyAndTellOfTheirEndOnceGone) {
    const struct {
        MCommonProgressPopup::ProgressStyle style;
        const char* group;
        const char* barPart;
    } cases[] = {{MCommonProgressPopup::FULL, "progress/custom/full_popup", "elm.swallow.content"},
                 {MCommonProgressPopup::SENDING, "progress/custom/sending_popup", "swallow.progress"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.group);
        Evas_Object* button = elm_button_add(page->getEvasObject());
        evas_object_show(button);
        elm_object_focus_set(button, EINA_TRUE);
        int destroyed = 0, popupDeleted = 0, deletedWhenTold = -1;
        MCommonProgressPopup* popup = MCommonProgressPopup::createPopup(
            c.style, "WDS_MSG_OPT_DELETE_ABB",
            [&](void*) {
                ++destroyed;
                deletedWhenTold = popupDeleted;
                evas_object_del(button);
            },
            nullptr, nullptr);
        ASSERT_TRUE(page->attachPopup(popup));
        evas_object_event_callback_add(
            popup->getEvasObject(), EVAS_CALLBACK_DEL,
            [](void* data, Evas*, Evas_Object*, void*) { ++*static_cast<int*>(data); }, &popupDeleted);
        auto weak = popup->getWeakPtr();
        Evas_Object* layout = elm_object_content_get(popup->getEvasObject());
        EXPECT_EQ(c.group, layoutGroup(layout));
        EXPECT_EQ("Delete", partText(layout, "text"));
        Evas_Object* bar = elm_object_part_content_get(layout, c.barPart);
        ASSERT_NE(nullptr, bar);
        EXPECT_TRUE(elm_progressbar_pulse_get(bar));
        // Without a back callback the back key leaves a progress popup up.
        settle();
        pressKey("Escape");
        settle();
        EXPECT_FALSE(weak.expired());
        msg_test::ToolkitErrors errors;
        popup->destroy();
        EXPECT_EQ(1, destroyed);
        settle();
        EXPECT_EQ(deletedWhenTold, 1);
        EXPECT_EQ(errors.containing("not a valid object"), std::vector<std::string>{});
    }
}

} // namespace
