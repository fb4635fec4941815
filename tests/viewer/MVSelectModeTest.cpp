#include "ViewerScreenFixture.h"

#include "DeviceSettings.h"
#include "EflTest.h"
#include "LogCapture.h"
#include "SimSeedMedia.h"
#include "common/MCommonAppEventMgr.h"
#include "msg_store/MsgStore.h"
#include "vconf.h"
#include "viewer/media/MVSoundPlayer.h"

#include <Ecore_Evas.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <set>
#include <tuple>

using namespace msg_app::msg_viewer;

namespace {

class SelectModeTest : public ViewerActionFixture {
protected:
    std::set<int> storedIds() const {
        std::vector<msg_store::Conversation> messages;
        msg_store::MessageManager().getConversations(threadId, messages);
        std::set<int> ids;
        for (const msg_store::Conversation& conv : messages)
            ids.insert(conv.msgId);
        return ids;
    }
    void pressDelete() {
        ASSERT_NE(listView()->getBottomButton(), nullptr);
        ASSERT_TRUE(msg_test::runLoopUntil([&] { return isUnderFinger(listView()->getBottomButton()); }));
        clickCenter(listView()->getBottomButton());
    }
    // The bubble's theme parts, while its row is realized.
    Evas_Object* edjeOf(int msgId) const { return elm_layout_edje_get(labelOf(msgId)); }
};

} // namespace

// Also in a window that has the focus, as on the watch, where a tapped row could hold it: the
// progress popup hands the focus back, as it goes, to no row its deletion took.
TEST_F(SelectModeTest, DeletingOneOrTwoKeepsTheRest) {
    std::vector<int> ids = thread(4);
    Ecore_Evas* window = ecore_evas_ecore_evas_get(evas_object_evas_get(appWindow->getEvasObject()));
    ecore_evas_focus_set(window, EINA_FALSE);
    ecore_evas_focus_set(window, EINA_TRUE);
    open(threadId);
    msg_test::ToolkitErrors errors;
    Elm_Object_Item* tapped = listView()->findBubble(ids[2])->getElmObjectItem();
    elm_genlist_item_show(tapped, ELM_GENLIST_ITEM_SCROLLTO_MIDDLE);
    auto row = [&] { return elm_object_item_part_content_get(tapped, "elm.icon"); };
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return isUnderFinger(row()); }));
    clickCenter(row());
    // One goes at once, without the progress popup.
    listView()->selectMessages({ids[3]});
    pressDelete();
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return storedIds().size() == 3; }));
    EXPECT_FALSE(listView()->isBgActionRunning());
    EXPECT_EQ(storedIds(), (std::set<int>{ids[0], ids[1], ids[2]}));
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return hasToast("Deleted."); }));
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return !hasToast("Deleted."); }));

    // Two go on the worker; the third stays, in the store and on screen.
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return listView()->getViewType() == VIEW_TYPE_NORMAL; }));
    listView()->selectMessages({ids[0], ids[2]});
    pressDelete();
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return listView()->isBgActionRunning(); }));
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return !listView()->isBgActionRunning(); }, 10.0));
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return hasToast("Deleted."); }));
    EXPECT_EQ(storedIds(), std::set<int>{ids[1]});
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return listView()->getLoadedCount() == 1; }));
    EXPECT_NE(listView()->findBubble(ids[1]), nullptr);
    EXPECT_EQ(listView()->getViewType(), VIEW_TYPE_NORMAL);
    EXPECT_EQ(errors.containing("not a valid object"), std::vector<std::string>{});
}

TEST_F(SelectModeTest, SelectAllKeepsAMessageThatArrivedAfterTheSelection) {
    std::vector<int> ids = openThread(3);
    listView()->doAction(MVListViewController::ACTION_SELECT_MODE);
    listView()->checkAll(true);
    EXPECT_EQ(listView()->getCheckedCount(), 3);
    // Arrives in the store before the view has heard of it.
    std::vector<int> late =
        msg_test::storeMessages({msg_test::message("+15550100", "late", START_MS + 600000)});
    listView()->doAction(MVListViewController::ACTION_DELETE);
    ASSERT_TRUE(
        msg_test::runLoopUntil([&] { return !listView() || !listView()->isBgActionRunning(); }, 10.0));
    EXPECT_EQ(storedIds(), std::set<int>{late[0]});

    // Everything selected and nothing new: the thread goes in one call, and the screen with it.
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return listView() && listView()->getModel().getCount() == 1; }));
    listView()->selectMessages({late[0]});
    listView()->checkAll(true);
    listView()->doAction(MVListViewController::ACTION_DELETE);
    msg_store::Thread gone;
    EXPECT_NE(msg_store::ThreadManager().getThread(threadId, gone), msg_store::MSG_STORE_SUCCESS);
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return topPageName() == "host"; }));
}

TEST_F(SelectModeTest, EndingTheApplicationStopsTheWorkerAndPagedBubblesShowTheirSelection) {
    std::vector<int> ids = openThread(300);
    listView()->doAction(MVListViewController::ACTION_SELECT_MODE);
    listView()->checkAll(true);
    // A page loaded now shows its bubbles checked, as the selection holds them.
    ASSERT_TRUE(loadOlderPage());
    MVItemBubble* paged = listView()->findBubble(ids[300 - MVListViewController::PAGE_SIZE - 1]);
    ASSERT_NE(paged, nullptr);
    EXPECT_TRUE(paged->isChecked());

    // Deselect one so that the worker, not the whole-thread path, runs; the back key waits for it.
    int kept = paged->getMsgId();
    paged->onSelect(paged->getElmObjectItem());
    listView()->doAction(MVListViewController::ACTION_DELETE);
    ASSERT_TRUE(listView()->isBgActionRunning());
    EXPECT_FALSE(listView()->back());
    // The application ends while the worker has just started: it stops after the message it is on,
    // however many it got through first on a loaded machine, and the rest stay.
    msg_test::LogCapture log;
    msg_app::MCommonAppEventMgr::getInstance()->emit(msg_app::APP_EVENT_TERMINATING);
    ASSERT_TRUE(msg_test::pumpUntil([&] { return log.contains("This Thread is canceled."); }, 10.0));
    EXPECT_GT(storedIds().size(), 2u) << "the worker ran to the end";
    EXPECT_EQ(storedIds().count(kept), 1u);
}

// A finger at the middle of `obj` reaches it: the objects there, top first, let the finger through
// (repeating it) down to `obj` or inside it, and no neighbouring row laid over it while the rows
// move takes it first.
static bool takesTheFinger(Evas_Object* obj) {
    auto [x, y, w, h] = msg_test::boxOf(obj);
    Eina_List* stack = evas_tree_objects_at_xy_get(evas_object_evas_get(obj), nullptr, x + w / 2, y + h / 2);
    bool reached = false, taken = false;
    void* data = nullptr;
    EINA_LIST_FREE(stack, data) {
        auto* o = static_cast<Evas_Object*>(data);
        if (reached || taken)
            continue;
        for (Evas_Object* p = o; p && !reached; p = evas_object_smart_parent_get(p))
            reached = p == obj;
        taken = !reached && !evas_object_repeat_events_get(o);
    }
    return reached;
}

// What a checked bubble draws must keep to its rounded shape: the tint is the bubble's own
// image over the same place, and the mark, on the side that faces the middle of the screen,
// stays inside the round screen when the bubble is in the middle of it.
TEST_F(SelectModeTest, CheckedBubblesAreDrawnCheckedInTheirShapeAndATapLeavesNoPressedLook) {
    std::vector<int> ids = openThread(2);
    // Checked while select mode builds the rows again, as a long press or "select all" does.
    listView()->selectMessages({ids[1]});
    auto part = [&](int id, const char* name) {
        Evas_Object* edje = edjeOf(id);
        const char* state = edje ? edje_object_part_state_get(edje, name, nullptr) : nullptr;
        int alpha = 0;
        evas_object_color_get(edje_object_part_object_get(edje, name), nullptr, nullptr, nullptr, &alpha);
        return std::make_pair(std::string(state ? state : ""), alpha);
    };
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return part(ids[1], "check").first == "selected"; }));
    EXPECT_GT(part(ids[1], "check").second, 0) << "checked but drawn clear";
    EXPECT_EQ(part(ids[0], "check").second, 0);

    // A tap checks the other; once the finger is up it shows checked, not pressed.
    // Rows are built again while the page settles: the text under the finger is the current one.
    auto underFinger = [&] {
        return msg_test::runLoopUntil([&] {
            // Brought into view, again if the page moves it while it settles.
            showAtMiddle(ids[0]);
            Evas_Object* label = labelOf(ids[0]);
            return label && isUnderFinger(label) && takesTheFinger(label);
        });
    };
    // The page in, then the rows the store's read mark updated laid out again: a row placed
    // anew moves its neighbours on the next layout, and a tap at a neighbour's old place
    // lands on it.
    ASSERT_TRUE(underFinger());
    ASSERT_TRUE(msg_test::runLoopUntilIdle());
    ASSERT_TRUE(underFinger());
    clickCenter(labelOf(ids[0]));
    EXPECT_TRUE(msg_test::runLoopUntil([&] {
        return part(ids[0], "check").first == "selected" && part(ids[0], "bg").first == "default";
    })) << part(ids[0], "bg").first;
    EXPECT_EQ(listView()->getCheckedCount(), 2);

    using msg_test::boxOf;
    // A new row's text is placed into its row on the next layout.
    auto inItsRow = [&](Evas_Object* label) {
        std::array<int, 4> l = boxOf(label), row = boxOf(evas_object_smart_parent_get(label));
        return l[0] >= row[0] && l[1] >= row[1] && l[0] + l[2] <= row[0] + row[2] &&
               l[1] + l[3] <= row[1] + row[3];
    };
    // An image's source, its unscaled corners and their scale, with its place on the screen.
    auto shape = [&](const Evas_Object* obj) {
        const char *file = nullptr, *key = nullptr;
        int l = 0, r = 0, t = 0, b = 0;
        evas_object_image_file_get(obj, &file, &key);
        evas_object_image_border_get(obj, &l, &r, &t, &b);
        return std::make_tuple(std::string(file ? file : ""), std::string(key ? key : ""), l, r, t, b,
                               evas_object_image_border_scale_get(obj), boxOf(obj));
    };
    Evas_Object* win = elm_object_top_widget_get(listView()->getGenlist());
    std::array<int, 4> screen = boxOf(win);
    double cx = screen[0] + screen[2] / 2.0;
    double radius = std::min(screen[2], screen[3]) / 2.0;
    for (bool received : {true, false}) {
        SCOPED_TRACE(received ? "received" : "sent");
        int id = ids[received ? 1 : 0];
        ASSERT_TRUE(msg_test::runLoopUntil([&] {
            // In the middle, again if the page moves it while it settles; once the row is built
            // again where it is drawn.
            showAtMiddle(id);
            Evas_Object* label = labelOf(id);
            const char* state =
                label ? edje_object_part_state_get(edjeOf(id), "check.mark.disc", nullptr) : nullptr;
            return state && !strcmp(state, "selected") && isUnderFinger(label) && inItsRow(label);
        }));
        const Evas_Object* tint = edje_object_part_object_get(edjeOf(id), "check");
        const Evas_Object* bg = edje_object_part_object_get(edjeOf(id), "bg");
        ASSERT_STREQ(evas_object_type_get(tint), "image") << "a plain box shows its corners";
        EXPECT_EQ(shape(tint), shape(bg));

        const Evas_Object* mark = edje_object_part_object_get(edjeOf(id), "check.mark.ring");
        ASSERT_TRUE(evas_object_visible_get(mark));
        std::array<int, 4> m = boxOf(mark), b = boxOf(bg);
        double markX = m[0] + m[2] / 2.0, bubbleX = b[0] + b[2] / 2.0;
        EXPECT_EQ(markX > bubbleX, received) << "the mark is on the bubble's outer side";
        // Wherever the list has scrolled to, as if the bubble were in the middle of the screen.
        double bubbleY = b[1] + b[3] / 2.0;
        for (int x : {m[0], m[0] + m[2]})
            for (int y : {m[1], m[1] + m[3]})
                EXPECT_LE(std::hypot(x - cx, y - bubbleY), radius) << "corner " << x << "," << y - bubbleY;
    }

    // The other direction's theme, loaded into the same text widgets as the language changes,
    // starts unchecked: the checked bubbles are drawn checked again.
    ASSERT_EQ(vconf_set_str("db/menu_widget/language", "ar_AE.UTF-8"), 0);
    msg_app::MCommonAppEventMgr::getInstance()->emit(msg_app::APP_EVENT_LANGUAGE_CHANGED);
    for (int id : ids) {
        EXPECT_TRUE(msg_test::runLoopUntil([&] {
            Evas_Object* label = labelOf(id);
            std::string style = label ? elm_object_style_get(label) : "";
            return style.size() > 4 && style.substr(style.size() - 4) == "/rtl" &&
                   part(id, "check").first == "selected";
        })) << id
            << ": " << part(id, "check").first;
    }
    // Unchecked, the mark goes.
    listView()->selectMessages({ids[0]});
    EXPECT_TRUE(msg_test::runLoopUntil([&] {
        Evas_Object* edje = labelOf(ids[1]) ? edjeOf(ids[1]) : nullptr;
        return edje && !evas_object_visible_get(edje_object_part_object_get(edje, "check.mark.ring"));
    }));
}

// A clip playing when select mode starts stops: a tap on it now checks its bubble, and it may be
// deleted. One whose message goes stops with it.
TEST_F(SelectModeTest, APlayingClipStopsWithSelectModeAndWithItsMessage) {
    ASSERT_EQ(msg_services::DeviceSettings::set("memory/private/sound/output",
                                                msg_services::SettingValue::ofString("silent")),
              0);
    std::string wav = device.file("clip.wav");
    ASSERT_TRUE(msg_sim::simWriteWav(wav, 440, 60000));
    auto mms = msg_test::message("+15550100", "", START_MS);
    mms.msgType = "mms";
    msg_store::Content clip = msg_test::contentOf(msg_store::Content::MEDIA_TYPE_AUDIO, "audio/x-wav", wav);
    clip.transferStatus = msg_store::Content::TRANSFER_DOWNLOADED;
    mms.contents = {clip};
    auto other = msg_test::message("+15550100", "and more", START_MS + 60000);
    std::vector<int> ids = storeThread({mms, other});
    open(threadId);
    msg_app::MVSoundPlayer* player = msg_app::MVSoundPlayer::getInstance();
    const msg_store::Content& held = listView()->findBubble(ids[0])->getConv()->contents.front();

    ASSERT_TRUE(player->start(held));
    ASSERT_EQ(player->getState(), msg_app::MVSoundPlayer::STATE_PLAYING);
    listView()->doAction(MVListViewController::ACTION_SELECT_MODE);
    EXPECT_EQ(player->getState(), msg_app::MVSoundPlayer::STATE_IDLE);
    listView()->back();

    ASSERT_TRUE(player->start(listView()->findBubble(ids[0])->getConv()->contents.front()));
    ASSERT_EQ(msg_store::MessageManager().deleteMessage(ids[0]), msg_store::MSG_STORE_SUCCESS);
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return listView()->findBubble(ids[0]) == nullptr; }));
    EXPECT_EQ(player->getState(), msg_app::MVSoundPlayer::STATE_IDLE);
}
