#include "EflTest.h"
#include "TestControllers.h"
#include "view_kit/WNaviframeController.h"
#include "view_kit/WWindowController.h"

#include <gtest/gtest.h>

#include <memory>

using msg_test::CallJournal;
using msg_test::JournalPage;
using view_kit::WNaviframeController;
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

    CallJournal journal;
    std::unique_ptr<WWindowController> window;
    WNaviframeController* navi = nullptr;
};

TEST_F(ControllerLifecycleTest, PushCreatesInOrderAndBackPopsToThePageBelow) {
    auto* first = new JournalPage(journal, "first");
    auto* second = new JournalPage(journal, "second");
    ASSERT_TRUE(navi->push(first));
    ASSERT_TRUE(navi->push(second, "second page"));
    EXPECT_EQ(std::string(second->getName()), "second page");
    std::vector<std::string> created = {"first:onCreate", "first:onCreateView", "first:onCreated",
                                        "first:onPushed"};
    EXPECT_EQ(std::vector<std::string>(journal.calls.begin(), journal.calls.begin() + 4), created);
    EXPECT_TRUE(navi->isTopContentViewController(second));
    EXPECT_EQ(second->getNaviframeController(), navi);
    EXPECT_EQ(second->getWindowController(), window.get());
    EXPECT_EQ(navi->getPageCount(), 2);

    std::weak_ptr<WViewController> weakSecond = second->getWeakPtr();
    journal.calls.clear();
    msg_test::runLoopUntilIdle();
    pressBack();
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return weakSecond.expired(); }));
    EXPECT_EQ(journal.calls.front(), "second page:onPop");
    EXPECT_TRUE(journal.hasCall("first:onBecomeTop"));
    EXPECT_TRUE(journal.hasCall("second page:onDestroy(view)"));
    EXPECT_TRUE(navi->isTopContentViewController(first));
    EXPECT_EQ(journal.alive, 1);
}

TEST_F(ControllerLifecycleTest, APagePoppedWhileItIsStillSlidingInGoesAtOnce) {
    ASSERT_TRUE(navi->push(new JournalPage(journal, "first")));
    ASSERT_TRUE(navi->push(new JournalPage(journal, "second")));
    ASSERT_TRUE(navi->pop());
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return journal.alive == 1; }));
    EXPECT_TRUE(journal.hasCall("first:onBecomeTop"));
}

TEST_F(ControllerLifecycleTest, APageThatRefusesStaysAndTheLastPageEndsTheScreens) {
    auto* first = new JournalPage(journal, "first");
    auto* second = new JournalPage(journal, "second");
    ASSERT_TRUE(navi->push(first));
    ASSERT_TRUE(navi->push(second));
    second->refusePop = true;
    pressBack();
    msg_test::runLoopUntilIdle();
    EXPECT_TRUE(navi->isTopContentViewController(second));

    int lastPageBacks = 0;
    navi->setOnLastPageBack([&] { ++lastPageBacks; });
    // popOut leaves even when the page would refuse a back-key pop.
    ASSERT_TRUE(second->popOut());
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return journal.alive == 1; }));
    pressBack();
    EXPECT_EQ(lastPageBacks, 1);
    EXPECT_EQ(navi->getTopContentViewController(), first);
}

TEST_F(ControllerLifecycleTest, DestroyRunsOnDestroyWhileTheViewExistsAndExpiresWeakPointers) {
    auto* page = new JournalPage(journal, "page");
    ASSERT_TRUE(navi->push(page));
    std::weak_ptr<WViewController> weak = page->getWeakPtr();
    Evas_Object* view = page->getEvasObject();
    EXPECT_EQ(wviewcontroller_get_instance_from_evasobj(view), page);
    page->destroy();
    EXPECT_TRUE(weak.expired());
    EXPECT_TRUE(journal.hasCall("page:onDestroy(view)"));
    EXPECT_EQ(journal.alive, 0);
    EXPECT_EQ(wviewcontroller_get_instance_from_evasobj(nullptr), nullptr);
}

TEST_F(ControllerLifecycleTest, TheFrameworkFreesWhatItWasHandedEvenWhenCreationFails) {
    auto* broken = new JournalPage(journal, "broken");
    broken->failCreateView = true;
    EXPECT_FALSE(navi->push(broken));
    EXPECT_EQ(journal.alive, 0);
    EXPECT_EQ(navi->getPageCount(), 0);
}

TEST_F(ControllerLifecycleTest, PartContentReplacesAndUnsetsControllers) {
    auto* page = new JournalPage(journal, "page");
    ASSERT_TRUE(navi->push(page));
    auto* a = new JournalPage(journal, "a");
    auto* b = new JournalPage(journal, "b");
    ASSERT_TRUE(page->setPartContent("elm.swallow.content", a));
    EXPECT_EQ(page->getPartContent("elm.swallow.content"), a);
    ASSERT_TRUE(page->setPartContent("elm.swallow.content", b));
    EXPECT_TRUE(journal.hasCall("a:onDestroy(view)"));
    EXPECT_EQ(journal.alive, 2);

    WViewController* taken = page->unsetPartContent("elm.swallow.content");
    EXPECT_EQ(taken, b);
    EXPECT_EQ(page->getPartContent("elm.swallow.content"), nullptr);
    taken->destroy();
    EXPECT_EQ(journal.alive, 1);
    EXPECT_FALSE(page->setPartContent(nullptr, new JournalPage(journal, "c")));
    EXPECT_EQ(journal.alive, 1);
}

TEST_F(ControllerLifecycleTest, PopupsDieWhenReplacedAndWithTheirScreen) {
    auto* page = new JournalPage(journal, "page");
    ASSERT_TRUE(navi->push(page));
    auto* popupA = new JournalPage(journal, "popupA");
    auto* popupB = new JournalPage(journal, "popupB");
    ASSERT_TRUE(page->attachPopup(popupA));
    ASSERT_TRUE(page->attachPopup(popupB));
    EXPECT_TRUE(journal.hasCall("popupA:onDestroy(view)"));
    std::weak_ptr<WViewController> weakB = popupB->getWeakPtr();
    page->destroy();
    EXPECT_TRUE(weakB.expired());
    EXPECT_TRUE(journal.hasCall("popupB:onDestroy(view)"));
    EXPECT_EQ(journal.alive, 0);
}

TEST_F(ControllerLifecycleTest, ClosingTheWindowDestroysEveryController) {
    ASSERT_TRUE(navi->push(new JournalPage(journal, "first")));
    ASSERT_TRUE(navi->push(new JournalPage(journal, "second")));
    std::weak_ptr<WViewController> weakNavi = navi->getWeakPtr();
    window->destroy();
    EXPECT_EQ(journal.alive, 0);
    EXPECT_TRUE(weakNavi.expired());
    EXPECT_EQ(window->getEvasObject(), nullptr);
    EXPECT_EQ(window->getNaviframeController(), nullptr);
}

} // namespace
