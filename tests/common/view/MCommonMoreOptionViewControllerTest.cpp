// The option panel on real widgets: taps, the select-mode toast, the cue, pause and language.
#include "common/view/MCommonMoreOptionViewController.h"
#include "WatchScreenTest.h"
#include "common/CommonUiHelper.h"
#include "common/MCommonAppEventMgr.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using msg_app::MCommonMoreOptionViewController;

namespace {

constexpr int CUE_X = 350;
constexpr int CUE_Y = 180;

class MoreOptionViewTest : public WatchScreenTest {
protected:
    void SetUp() override {
        WatchScreenTest::SetUp();
        more = new MCommonMoreOptionViewController();
        ASSERT_TRUE(more->create(window->getEvasObject(), nullptr));
        Evas_Object* panel = more->getEvasObject();
        evas_object_size_hint_weight_set(panel, EVAS_HINT_EXPAND, EVAS_HINT_EXPAND);
        elm_win_resize_object_add(window->getEvasObject(), panel);
        evas_object_show(panel);
        ASSERT_TRUE(more->setContent(elm_bg_add(panel)));
        more->setOnOpened([this] { ++opened; });
        more->setOnClosed([this] { ++closed; });
        settle();
    }

    bool offer(const char* text, const char* image, const char* sub = nullptr) {
        return more->appendItem(
            text, sub, image,
            [this, text](Eext_Object_Item*) {
                actions.push_back(text);
                openAtAction = more->isOpened();
            },
            [this](Eext_Object_Item*) { ++languageChanges; }, MCommonMoreOptionViewController::NORMAL);
    }
    unsigned built() const { return eina_list_count(eext_more_option_items_get(more->getEvasObject())); }
    // The item appended, once the loop has built it.
    Eext_Object_Item* append(const char* text, const char* image, const char* sub = nullptr) {
        unsigned before = built();
        if (!offer(text, image, sub) || !msg_test::runLoopUntil([&] { return built() > before; }))
            return nullptr;
        return static_cast<Eext_Object_Item*>(
            eina_list_last_data_get(eext_more_option_items_get(more->getEvasObject())));
    }

    bool openPanel() {
        int before = opened;
        more->open();
        return msg_test::runLoopUntil([&] { return opened > before; }, 3.0);
    }

    // Whether the cue has slid in far enough to take a tap at the point.
    bool cueUnder(int x, int y) {
        Evas_Object* cue = elm_object_part_content_get(more->getEvasObject(), "elm.swallow.right");
        int cx = 0, cy = 0, w = 0, h = 0;
        evas_object_geometry_get(cue, &cx, &cy, &w, &h);
        return cue && evas_object_visible_get(cue) && cx <= x && x < cx + w && cy <= y && y < cy + h;
    }

    MCommonMoreOptionViewController* more = nullptr;
    int opened = 0;
    int closed = 0;
    int languageChanges = 0;
    bool openAtAction = true;
    std::vector<std::string> actions;
};

TEST_F(MoreOptionViewTest, CueStaysHiddenWithoutItems) {
    more->setCueVisible(true);
    EXPECT_FALSE(more->getCueVisible());
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return !cueUnder(CUE_X, CUE_Y); }));
    click(CUE_X, CUE_Y);
    settle();
    EXPECT_FALSE(more->isOpened());

    append("WDS_MSG_OPT_REPLY_ABB", "img/option/reply");
    EXPECT_TRUE(more->getCueVisible());
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return cueUnder(CUE_X, CUE_Y); }));
    click(CUE_X, CUE_Y);
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return opened == 1; }));

    // Clearing closes the open panel and hides the cue again.
    more->clearItems();
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return closed == 1; }));
    EXPECT_FALSE(more->getCueVisible());
    more->setCueVisible(false);
    append("WDS_MSG_OPT_REPLY_ABB", "img/option/reply");
    EXPECT_FALSE(more->getCueVisible());
}

// A shut panel's items are built once the loop idles after the screen's first frame, and at once
// for a panel that opens or is open; items cleared before that are never built.
TEST_F(MoreOptionViewTest, ItemsAreBuiltWhenTheLoopIdlesOrThePanelOpens) {
    ASSERT_TRUE(offer("WDS_MSG_OPT_REPLY_ABB", "img/option/reply"));
    ASSERT_TRUE(offer("WDS_MSG_OPT_CALL_ABB", "img/option/call"));
    EXPECT_EQ(0u, built());
    EXPECT_TRUE(more->getCueVisible()) << "the cue shows with the first frame";
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return built() == 2; }));

    ASSERT_TRUE(offer("WDS_MSG_OPT_DELETE_ABB", "img/option/delete"));
    more->clearItems();
    EXPECT_FALSE(more->getCueVisible());
    ASSERT_TRUE(offer("WDS_MSG_OPT_REPLY_ABB", "img/option/reply"));
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return built() == 1; }));
    settle();
    EXPECT_EQ(1u, built()) << "the item cleared is never built";

    ASSERT_TRUE(offer("WDS_MSG_OPT_CALL_ABB", "img/option/call"));
    more->open();
    EXPECT_EQ(2u, built()) << "a panel opening shows its items";
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return opened == 1; }));
    ASSERT_TRUE(offer("WDS_MSG_OPT_DELETE_ABB", "img/option/delete"));
    EXPECT_EQ(3u, built()) << "an open panel shows a new item at once";
}

TEST_F(MoreOptionViewTest,
       TextsFollowTheLanguageAndPauseTwoQuickTapsOrADeletedItemLeaveTheControllerConsistent) {
    Eext_Object_Item* reply = append("WDS_MSG_OPT_REPLY_ABB", "img/option/reply", "WDS_MSG_OPT_CALL_ABB");
    Eext_Object_Item* call = append("WDS_MSG_OPT_CALL_ABB", "img/option/call");
    EXPECT_EQ("img/option/reply", imageGroup(eext_more_option_item_part_content_get(reply, "item,icon")));
    EXPECT_FALSE(offer("WDS_MSG_OPT_CALL_ABB", nullptr)) << "an item needs its icon";
    for (const char* part : {"selector,main_text", "selector,sub_text"})
        eext_more_option_item_part_text_set(reply, part, "stale");
    eext_more_option_item_part_text_set(call, "selector,main_text", "stale");
    setString("db/menu_widget/language", "en_GB.UTF-8");
    msg_app::common_ui_helper::set_language();
    settle();
    EXPECT_STREQ("Reply", eext_more_option_item_part_text_get(reply, "selector,main_text"));
    EXPECT_STREQ("Call", eext_more_option_item_part_text_get(reply, "selector,sub_text"));
    EXPECT_STREQ("Call", eext_more_option_item_part_text_get(call, "selector,main_text"));
    EXPECT_EQ(2, languageChanges);

    // A pause closes the open panel without running anything.
    ASSERT_TRUE(openPanel());
    msg_app::MCommonAppEventMgr::getInstance()->emit(msg_app::APP_EVENT_PAUSED);
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return closed == 1; }));
    EXPECT_FALSE(more->isOpened());

    // Two quick taps run only the first action, after the panel closed.
    ASSERT_TRUE(openPanel());
    settle();
    clickCenter(reply->obj);
    clickCenter(call->obj);
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return closed == 2 && !actions.empty(); }));
    settle();
    EXPECT_EQ(std::vector<std::string>{"WDS_MSG_OPT_REPLY_ABB"}, actions);
    EXPECT_FALSE(openAtAction);
    EXPECT_FALSE(more->isOpened());
    EXPECT_EQ(nullptr, findToast());

    eext_more_option_item_del(reply);
    ASSERT_TRUE(openPanel());
    settle();
    clickCenter(call->obj);
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return closed == 3; }));
    EXPECT_EQ((std::vector<std::string>{"WDS_MSG_OPT_REPLY_ABB", "WDS_MSG_OPT_CALL_ABB"}), actions);
}

} // namespace
