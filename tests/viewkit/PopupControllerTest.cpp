#include "EflTest.h"
#include "TestControllers.h"
#include "view_kit/WPopupController.h"

#include <gtest/gtest.h>

using view_kit::WPopupController;
using view_kit::WViewController;

namespace {

class PopupControllerTest : public ::testing::Test {
protected:
    void SetUp() override {
        screen = new msg_test::JournalPage(journal, "screen");
        ASSERT_TRUE(screen->create(window.win(), nullptr));
        elm_win_resize_object_add(window.win(), screen->getEvasObject());
        evas_object_show(screen->getEvasObject());
    }
    void TearDown() override {
        if (journal.alive)
            screen->destroy();
    }

    Evas_Object* button(WPopupController* popup, const char* part) {
        return elm_object_part_content_get(popup->getEvasObject(), part);
    }

    msg_test::TestWindow window;
    msg_test::CallJournal journal;
    msg_test::JournalPage* screen = nullptr;
};

// The hooks that build a popup's content are exercised by the tests of the application's popups.
TEST_F(PopupControllerTest, AButtonThatSetsTheFlagClosesThePopupAndACallbackMayDestroyItItself) {
    auto* popup = new WPopupController();
    int keepClicks = 0;
    popup->addButton("Keep", [&](bool* destroy) { ++keepClicks, *destroy = false; });
    popup->addButton(
        "Close", [](bool* destroy) { *destroy = true; },
        [](Evas_Object* button) { elm_object_style_set(button, "default"); });
    ASSERT_TRUE(screen->attachPopup(popup));
    std::weak_ptr<WViewController> weak = popup->getWeakPtr();

    evas_object_smart_callback_call(button(popup, "button1"), "clicked", nullptr);
    msg_test::runLoopUntilIdle();
    EXPECT_EQ(keepClicks, 1);
    ASSERT_FALSE(weak.expired());
    evas_object_smart_callback_call(button(popup, "button2"), "clicked", nullptr);
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return weak.expired(); }));

    // A callback may destroy the popup itself; no callback follows the destruction.
    popup = new WPopupController();
    popup->addButton("Go", [&](bool* destroy) {
        screen->destroyPopup();
        *destroy = true;
    });
    popup->addButton("x", nullptr);
    popup->addButton("y", nullptr);
    EXPECT_FALSE(popup->addButton("fourth", nullptr));
    ASSERT_TRUE(screen->attachPopup(popup));
    weak = popup->getWeakPtr();
    evas_object_smart_callback_call(button(popup, "button1"), "clicked", nullptr);
    EXPECT_TRUE(weak.expired());
    msg_test::runLoopUntilIdle();
}

} // namespace
