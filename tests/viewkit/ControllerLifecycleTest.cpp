#include "EflTest.h"
#include "TestControllers.h"
#include "view_kit/WNaviframeController.h"
#include "view_kit/WPopupController.h"
#include "view_kit/WWindowController.h"

#include <gtest/gtest.h>

#include <memory>

using msg_test::CallJournal;
using msg_test::JournalPage;
using view_kit::WNaviframeController;
using view_kit::WPopupController;
using view_kit::WViewController;
using view_kit::WWindowController;

namespace {

class ControllerLifecycleTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<WWindowController>();
        ASSERT_TRUE(window->create("lifecycle", 360, 360));
        navi = window->getNaviframeController();
        ASSERT_NE(navi, nullptr);
    }

    void pressBack() {
        Evas* e = evas_object_evas_get(window->getEvasObject());
        evas_event_feed_key_down(e, "Escape", "Escape", nullptr, nullptr, 0, nullptr);
        evas_event_feed_key_up(e, "Escape", "Escape", nullptr, nullptr, 0, nullptr);
    }
    JournalPage* page(const char* name) { return new JournalPage(journal, name); }

    CallJournal journal;
    std::unique_ptr<WWindowController> window;
    WNaviframeController* navi = nullptr;
};

TEST_F(ControllerLifecycleTest, PushCreatesInOrderBackPopsUnlessRefusedAndTheLastPageEndsTheScreens) {
    auto* first = page("first");
    ASSERT_TRUE(navi->push(first));
    // A page popped while it is still sliding in goes at once.
    ASSERT_TRUE(navi->push(page("sliding")));
    ASSERT_TRUE(navi->pop());
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return journal.alive == 1; }));
    EXPECT_TRUE(journal.hasCall("first:onBecomeTop"));

    auto* second = page("second");
    ASSERT_TRUE(navi->push(second, "second page"));
    EXPECT_EQ(std::vector<std::string>(journal.calls.begin(), journal.calls.begin() + 4),
              (std::vector<std::string>{"first:onCreate", "first:onCreateView", "first:onCreated",
                                        "first:onPushed"}));
    EXPECT_TRUE(navi->isTopContentViewController(second));
    EXPECT_EQ(navi->getPageCount(), 2);

    msg_test::runLoopUntilIdle();
    second->refusePop = true;
    pressBack();
    msg_test::runLoopUntilIdle();
    EXPECT_TRUE(navi->isTopContentViewController(second));
    second->refusePop = false;
    std::weak_ptr<WViewController> weakSecond = second->getWeakPtr();
    journal.calls.clear();
    pressBack();
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return weakSecond.expired(); }));
    EXPECT_EQ(journal.calls.front(), "second page:onPop");
    EXPECT_TRUE(journal.hasCall("first:onBecomeTop"));
    EXPECT_TRUE(journal.hasCall("second page:onDestroy(view)"));
    EXPECT_TRUE(navi->isTopContentViewController(first));

    // popOut leaves even when the page would refuse a back-key pop.
    auto* refusing = page("refusing");
    ASSERT_TRUE(navi->push(refusing));
    refusing->refusePop = true;
    ASSERT_TRUE(refusing->popOut());
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return journal.alive == 1; }));
    int lastPageBacks = 0;
    navi->setOnLastPageBack([&] { ++lastPageBacks; });
    pressBack();
    EXPECT_EQ(lastPageBacks, 1);
    EXPECT_EQ(navi->getTopContentViewController(), first);
}

TEST_F(ControllerLifecycleTest, ControllersDieWithWhatOwnsThemAndRunOnDestroyWhileTheirViewExists) {
    auto* broken = page("broken");
    broken->failCreateView = true;
    EXPECT_FALSE(navi->push(broken));
    EXPECT_EQ(journal.alive, 0) << "what the framework was handed is freed when creation fails";

    auto* screen = page("screen");
    ASSERT_TRUE(navi->push(screen));
    auto* a = page("a");
    auto* b = page("b");
    ASSERT_TRUE(screen->setPartContent("elm.swallow.content", a));
    ASSERT_TRUE(screen->setPartContent("elm.swallow.content", b));
    EXPECT_TRUE(journal.hasCall("a:onDestroy(view)"));
    EXPECT_EQ(screen->unsetPartContent("elm.swallow.content"), b);
    EXPECT_EQ(screen->getPartContent("elm.swallow.content"), nullptr);
    b->destroy();
    EXPECT_FALSE(screen->setPartContent(nullptr, page("c")));
    EXPECT_EQ(journal.alive, 1);

    ASSERT_TRUE(screen->attachPopup(page("popupA")));
    auto* popupB = page("popupB");
    ASSERT_TRUE(screen->attachPopup(popupB));
    EXPECT_TRUE(journal.hasCall("popupA:onDestroy(view)"));
    std::weak_ptr<WViewController> weakB = popupB->getWeakPtr();
    std::weak_ptr<WViewController> weakScreen = screen->getWeakPtr();
    screen->destroy();
    EXPECT_TRUE(weakB.expired());
    EXPECT_TRUE(weakScreen.expired());
    EXPECT_TRUE(journal.hasCall("popupB:onDestroy(view)"));
    EXPECT_TRUE(journal.hasCall("screen:onDestroy(view)"));
    EXPECT_EQ(journal.alive, 0);
    // Closing the window destroys every controller: the application tests' stop checks it.
}

// The hooks that build a popup's content are exercised by the tests of the application's popups.
TEST(PopupControllerTest, AButtonThatSetsTheFlagClosesThePopupAndACallbackMayDestroyItItself) {
    CallJournal journal;
    msg_test::TestWindow window;
    auto* screen = new JournalPage(journal, "screen");
    ASSERT_TRUE(screen->create(window.win(), nullptr));
    elm_win_resize_object_add(window.win(), screen->getEvasObject());
    evas_object_show(screen->getEvasObject());
    auto button = [](WPopupController* popup, const char* part) {
        return elm_object_part_content_get(popup->getEvasObject(), part);
    };
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
    screen->destroy();
}

} // namespace
