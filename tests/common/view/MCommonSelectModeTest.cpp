// Select mode's widgets on a real page: the count button's popup, the bottom button, and the
// progress popup of an action on a worker, whose end reaches only an owner that is still there.
#include "common/view/MCommonSelectMode.h"
#include "MainLoop.h"
#include "WatchScreenTest.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

using msg_app::MCommonSelectMode;

namespace {

// A list screen's frame: the bottom button's part around the select-mode layout.
class Owner : public view_kit::WViewController {
public:
    Evas_Object* selectModeLayout = nullptr;

protected:
    Evas_Object* onCreateView(Evas_Object* parent, void*) override {
        Evas_Object* layout = elm_layout_add(parent);
        elm_layout_theme_set(layout, "layout", "bottom_button", "default");
        selectModeLayout = elm_layout_add(layout);
        elm_layout_theme_set(selectModeLayout, "layout", "select_mode", "default");
        elm_object_part_content_set(layout, "elm.swallow.content", selectModeLayout);
        evas_object_size_hint_weight_set(layout, EVAS_HINT_EXPAND, EVAS_HINT_EXPAND);
        evas_object_show(layout);
        return layout;
    }
};

class SelectModeTest : public WatchScreenTest {
protected:
    void SetUp() override {
        WatchScreenTest::SetUp();
        owner = new Owner();
        ASSERT_TRUE(owner->create(window->getEvasObject(), nullptr));
        elm_win_resize_object_add(window->getEvasObject(), owner->getEvasObject());
        select = std::make_unique<MCommonSelectMode>(
            *owner, MCommonSelectMode::Callbacks{[this] { ++bottomTaps; },
                                                 [this](bool checked) { checkAll.push_back(checked); },
                                                 [this] { return total; }});
        select->setLayout(owner->selectModeLayout);
    }
    void TearDown() override {
        select.reset();
        owner->destroy();
        WatchScreenTest::TearDown();
    }
    // The entries of the count button's popup, once it is up.
    std::vector<std::string> popupEntries() {
        std::vector<std::string> texts;
        Evas_Object* ctx = ctxpopup();
        for (Elm_Object_Item* it = ctx ? elm_ctxpopup_first_item_get(ctx) : nullptr; it;
             it = elm_ctxpopup_item_next_get(it))
            texts.emplace_back(elm_object_item_text_get(it));
        return texts;
    }
    std::vector<Evas_Object*> ctxpopups() { return msg_test::objectsOfClass(evas(), "Elm.Ctxpopup"); }
    Evas_Object* ctxpopup() {
        std::vector<Evas_Object*> found = ctxpopups();
        return found.empty() ? nullptr : found.front();
    }

    Owner* owner = nullptr;
    std::unique_ptr<MCommonSelectMode> select;
    int total = 3;
    int bottomTaps = 0;
    std::vector<bool> checkAll;
};

// Select mode comes on once; its popup offers only what would change something, and only one popup
// is up at a time. (The bottom button's text and taps are the list's select mode tests'.)
TEST_F(SelectModeTest, TheCountButtonsPopupOffersWhatIsLeftToDo) {
    const struct {
        int checked;
        std::vector<std::string> entries;
        bool chosen;
    } cases[] = {
        {0, {"Select all"}, true},
        {2, {"Select all", "Deselect all"}, false},
        {3, {"Deselect all"}, false},
    };
    EXPECT_EQ(select->getCheckedCount(), -1);
    EXPECT_FALSE(select->leave()) << "not on";
    ASSERT_TRUE(select->enter("WDS_ALM_ACBUTTON_DELETE_ABB"));
    EXPECT_FALSE(select->enter("WDS_ALM_ACBUTTON_DELETE_ABB")) << "on already";
    Evas_Object* bottom = select->getBottomButton();
    ASSERT_NE(bottom, nullptr);
    // Taps reach the count button once it has slid in.
    ASSERT_TRUE(msg_test::runLoopUntilPartState(elm_layout_edje_get(owner->selectModeLayout),
                                                "elm.swallow.icon", "visible"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.checked);
        checkAll.clear();
        select->showCount(c.checked);
        EXPECT_EQ(select->getCheckedCount(), c.checked);
        EXPECT_EQ(elm_object_disabled_get(bottom), c.checked == 0);
        clickCenter(select->getCountButton());
        ASSERT_TRUE(msg_test::runLoopUntil([&] { return ctxpopup() != nullptr; }));
        ASSERT_TRUE(msg_test::runLoopUntilShown(elm_object_content_get(ctxpopup())));
        EXPECT_EQ(popupEntries(), c.entries);
        select->showSelectAllPopup();
        EXPECT_EQ(ctxpopups().size(), 1u);
        // The entry that takes the count to its other end.
        Elm_Object_Item* it =
            c.chosen ? elm_ctxpopup_first_item_get(ctxpopup()) : elm_ctxpopup_last_item_get(ctxpopup());
        elm_ctxpopup_item_selected_set(it, EINA_TRUE);
        ASSERT_TRUE(msg_test::runLoopUntil([&] { return ctxpopup() == nullptr; }));
        EXPECT_EQ(checkAll, std::vector<bool>{c.chosen});
    }
    // Closing tells whether there was one to close.
    clickCenter(select->getCountButton());
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return ctxpopup() != nullptr; }));
    EXPECT_TRUE(select->closeSelectAllPopup());
    EXPECT_FALSE(select->closeSelectAllPopup());
    EXPECT_TRUE(select->leave());
    EXPECT_EQ(select->getBottomButton(), nullptr);
    EXPECT_EQ(select->getCountButton(), nullptr);
    EXPECT_EQ(select->getCheckedCount(), -1);
}

// The worker's result, then its end once the popup has gone; an owner that drops the action
// first hears of neither, and no second action starts while one runs.
TEST_F(SelectModeTest, ABackgroundActionEndsOnceItsPopupHasGoneAndOnlyForAnOwnerThatStayed) {
    for (bool dropped : {false, true}) {
        SCOPED_TRACE(dropped ? "dropped" : "left alone");
        std::atomic<bool> release{false};
        int result = 0, ended = 0;
        bool runningAtEnd = true;
        int payload = 42;
        auto worker = [&](void*, view_kit::WThread::IStatus* status, Ecore_Thread*) {
            while (!release && !status->isCancelRequested())
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            if (!status->isCancelRequested())
                status->notify(&payload);
        };
        ASSERT_TRUE(select->runInBackground(
            "WDS_MSG_TPOP_DELETING_ING_ABB", worker,
            [&](void* notified) { result = notified ? *static_cast<int*>(notified) : -1; },
            [&] {
                ++ended;
                runningAtEnd = select->isBgActionRunning();
            }));
        EXPECT_TRUE(select->isBgActionRunning());
        EXPECT_FALSE(select->runInBackground("WDS_MSG_TPOP_DELETING_ING_ABB", worker, nullptr, nullptr));
        pressKey("XF86Back");
        settle();
        EXPECT_TRUE(select->isBgActionRunning()) << "the back key leaves it up";
        if (dropped)
            select->dropBgAction();
        release = true;
        ASSERT_TRUE(msg_test::runLoopUntil([&] { return !select->isBgActionRunning(); }, 10.0));
        msg_test::runLoopUntilIdle();
        EXPECT_EQ(ended, dropped ? 0 : 1);
        if (!dropped) {
            EXPECT_EQ(result, payload);
            EXPECT_FALSE(runningAtEnd);
        }
    }
}

} // namespace
