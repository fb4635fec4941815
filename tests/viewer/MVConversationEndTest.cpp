// The end of a conversation: the reply row the bezel lifts and launches, and the order in which a
// screen reader walks the rows to it.
// First: it opens the accessibility API before Elementary is included; a reader moves onto a row
// through its component.
#define EFL_ACCESS_COMPONENT_PROTECTED
#include "common/popup/AccessApi.h"

#include "ViewerScreenFixture.h"

#include "RecordingScreenOpener.h"
#include "msg_store/MsgStore.h"
#include "vconf.h"
#include "viewer/MVItem/MVItemReply.h"
#include "viewer/MVRotaryToAction.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <iterator>

using namespace msg_app::msg_viewer;
using msg_services::LaunchEntry;
using msg_services::LaunchJournal;

namespace {

void setReader(bool on) {
    ASSERT_EQ(vconf_set_bool("db/setting/accessibility/tts", on), VCONF_OK);
}

// The conversation as a screen reader walks it: along the flows-to links between the shown rows
// and the buttons after them.
class ViewerAccessTest : public ViewerScreenFixture {
protected:
    static std::vector<Eo*> related(const Eo* from, Efl_Access_Relation_Type type) {
        std::vector<Eo*> objects;
        Eina_Iterator* relations = efl_access_object_relations_get(from);
        void* data = nullptr;
        EINA_ITERATOR_FOREACH(relations, data) {
            auto* relation = static_cast<Efl_Access_Relation*>(data);
            void* obj = nullptr;
            Eina_List* node = nullptr;
            EINA_LIST_FOREACH(relation->type == type ? relation->objects : nullptr, node, obj) {
                objects.push_back(static_cast<Eo*>(obj));
            }
        }
        eina_iterator_free(relations);
        return objects;
    }
    Evas_Object* cue() const { return listView()->getActions().getOptionMgr()->getCueAccessObject(); }
    bool isRow(Eo* obj) const {
        for (Elm_Object_Item* it = elm_genlist_first_item_get(listView()->getGenlist()); it;
             it = elm_genlist_item_next_get(it)) {
            if (it == obj)
                return true;
        }
        return false;
    }
    // The row's text as the genlist draws it.
    static std::string drawnText(Elm_Object_Item* item) {
        char* markup = elm_genlist_item_item_class_get(item)->func.text_get(
            elm_object_item_data_get(item), elm_object_item_widget_get(item), "elm.text");
        char* text = markup ? elm_entry_markup_to_utf8(markup) : nullptr;
        std::string out = text ? text : "";
        free(markup);
        free(text);
        return out;
    }
    // What the reader says on landing on obj, tagged by what it is.
    std::string spoken(Eo* obj) const {
        if (obj == cue())
            return "cue";
        if (obj == listView()->getBottomButton())
            return "delete";
        if (!isRow(obj))
            return "unknown";
        auto* row = static_cast<MVItem*>(elm_object_item_data_get(obj));
        const char* description = efl_access_object_description_get(obj);
        const char* named = efl_access_object_i18n_name_get(obj);
        const std::string said = description ? description : "", name = named ? named : "";
        const Efl_Access_Role role = efl_access_object_role_get(obj);
        switch (row->getType()) {
        case MVItem::TITLE:
            return "title " + said;
        case MVItem::DATE_LINE:
            // Named as drawn, also while not drawn.
            return !name.empty() && name == drawnText(obj) && role == EFL_ACCESS_ROLE_HEADING
                       ? "date"
                       : "date misnamed '" + name + "'";
        case MVItem::BUBBLE:
            return "bubble " + std::to_string(static_cast<MVItemBubble*>(row)->getMsgId());
        case MVItem::REPLY:
            return "reply " + name + (role == EFL_ACCESS_ROLE_PUSH_BUTTON ? " button" : "") +
                   (said.empty() ? "" : " " + said);
        default:
            return "row " + std::to_string(row->getType());
        }
    }
    // From the reply row back as far as rows are linked, then on to the end; checks that each
    // step is linked both ways. moveOn: the reader moves onto the first row it reaches, which
    // comes into view when it was off screen, and the rows before it are linked for the next walk.
    std::vector<std::string> readingChain(bool moveOn = false) const {
        std::vector<Eo*> order{listView()->getReplyItem()->getElmObjectItem()};
        for (std::vector<Eo*> back;
             !(back = related(order.front(), EFL_ACCESS_RELATION_TYPE_FLOWS_FROM)).empty();)
            order.insert(order.begin(), back.front());
        if (moveOn)
            efl_access_component_focus_grab(order.front());
        for (std::vector<Eo*> next;
             !(next = related(order.back(), EFL_ACCESS_RELATION_TYPE_FLOWS_TO)).empty() &&
             next.front() != order.back();)
            order.push_back(next.front());
        std::vector<std::string> said;
        for (size_t i = 0; i < order.size(); ++i) {
            said.push_back(spoken(order[i]));
            if (i > 0) {
                EXPECT_EQ(related(order[i - 1], EFL_ACCESS_RELATION_TYPE_FLOWS_TO).size(), 1u) << said.back();
            }
        }
        return said;
    }
    // The whole reading order of the conversation; a reader starts wherever the screen shows.
    std::vector<std::string> expected(const std::vector<int>& ids, const std::string& end) const {
        std::vector<std::string> all{"title +1 5 5 5 0 1 0 0 ", "date"};
        for (int id : ids)
            all.push_back("bubble " + std::to_string(id));
        all.push_back(end);
        if (listView()->getBottomButton())
            all.push_back("delete");
        // The cue shows only while the panel has entries (none in select mode before a check).
        if (cue())
            all.push_back("cue");
        return all;
    }
    // Whether the reading order comes to be that of the messages, the end row read as `end`.
    bool comesToRead(const std::vector<int>& ids, const std::string& end = "reply Reply button") const {
        return msg_test::runLoopUntil([&] { return readsAsEndOf(expected(ids, end)); });
    }
    // The chain read from the shown rows is the end of the whole order, the reply row included.
    bool readsAsEndOf(const std::vector<std::string>& whole) const {
        std::vector<std::string> chain = readingChain();
        return chain.size() >= 4 && chain.size() <= whole.size() &&
               std::equal(chain.rbegin(), chain.rend(), whole.rbegin());
    }
    bool nothingLinked() const {
        std::vector<Elm_Object_Item*> shown = msg_test::realizedItems(listView()->getGenlist());
        return !shown.empty() && std::all_of(shown.begin(), shown.end(), [](Eo* row) {
            return related(row, EFL_ACCESS_RELATION_TYPE_FLOWS_TO).empty();
        });
    }
    bool replySelectable() const {
        return elm_genlist_item_select_mode_get(listView()->getReplyItem()->getElmObjectItem()) ==
               ELM_OBJECT_SELECT_MODE_DEFAULT;
    }
    // Every row a reader stops at, from the top down to the reply row, then the cue.
    std::vector<std::string> readableRows() const {
        std::vector<std::string> rows;
        for (Elm_Object_Item* it = elm_genlist_first_item_get(listView()->getGenlist()); it;
             it = elm_genlist_item_next_get(it)) {
            auto* row = static_cast<MVItem*>(elm_object_item_data_get(it));
            if (row->getType() != MVItem::REPLY_TEXT && row->getType() != MVItem::BOTTOM_PADDING)
                rows.push_back(spoken(it));
        }
        rows.push_back("cue");
        return rows;
    }
};

TEST_F(ViewerAccessTest, TheReaderSettingAndChangesToTheRowsRelinkTheConversationLive) {
    setReader(false);
    // Minutes apart on one day: one date line over them all.
    std::vector<int> ids = openThread(3);
    const std::vector<std::string> whole = expected(ids, "reply Reply button");
    // The reply row is a selectable button only while the reader is on; the reader is left on.
    for (bool on : {false, true, false, true}) {
        setReader(on);
        ASSERT_TRUE(msg_test::runLoopUntil([&] {
            return on ? readsAsEndOf(whole) && replySelectable() : nothingLinked() && !replySelectable();
        })) << "reader "
            << on;
    }
    // A bubble says its text and the time under it; the cue and the rows are related both ways.
    MVItemBubble* newest = listView()->findBubble(ids.back());
    const char* said = efl_access_object_description_get(newest->getElmObjectItem());
    ASSERT_NE(said, nullptr);
    EXPECT_NE(std::string(said).find("message 2"), std::string::npos) << said;
    EXPECT_NE(std::string(said).find(newest->getTimeText()), std::string::npos) << said;
    EXPECT_EQ(std::string(said).find('<'), std::string::npos) << "no markup is read: " << said;

    // Receiving, deleting and select mode link the end again.
    int received =
        msg_test::storeMessages({msg_test::message("+15550100", "new", START_MS + 600000)}).front();
    ASSERT_TRUE(msg_test::pumpUntil([&] { return listView()->findBubble(received) != nullptr; }));
    EXPECT_TRUE(comesToRead({ids[0], ids[1], ids[2], received}));

    ASSERT_EQ(msg_store::MessageManager().deleteMessage(ids.back()), msg_store::MSG_STORE_SUCCESS);
    ASSERT_TRUE(msg_test::pumpUntil([&] { return listView()->findBubble(ids.back()) == nullptr; }));
    const std::vector<int> afterDelete{ids[0], ids[1], received};
    EXPECT_TRUE(comesToRead(afterDelete));

    // In select mode the disabled reply is read as such, and the delete button comes before the cue.
    listView()->doAction(MVListViewController::ACTION_SELECT_MODE);
    ASSERT_NE(listView()->getBottomButton(), nullptr);
    EXPECT_TRUE(comesToRead(afterDelete, "reply Reply button Disabled"));
    ASSERT_FALSE(listView()->back());
    EXPECT_TRUE(comesToRead(afterDelete));
}

TEST_F(ViewerAccessTest, AReaderWalksBackPastTheShownRowsToTheTitle) {
    setReader(true);
    // Nine hours apart: a date line every two or three bubbles, more rows than the screen shows.
    openThread(12, 9 * 3600);
    // Each walk goes a screen further back, up to the title; every day's line is named as drawn.
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return readingChain(true) == readableRows(); }))
        << ::testing::PrintToString(readingChain());
}

constexpr const char* INPUT_SELECTOR = "com.vorlane.w-input-selector";

// The bezel turned at the end of a conversation, through the window's real input.
class RotaryReplyTest : public ViewerScreenFixture {
protected:
    // A day apart: each bubble under its own date line. Opened as on a busy watch, which measures
    // the rows a few at a time after the end was first placed by the heights it knew then: the end
    // still comes to rest in the middle of the circle.
    void openConversation(int count = 3) {
        {
            BusyFrames busy;
            ids = openThread(count, 24 * 3600);
            ASSERT_TRUE(msg_test::runLoopUntilIdle());
        }
        ASSERT_NE(listView()->getReplyItem(), nullptr);
        ASSERT_TRUE(msg_test::runLoopUntil([&] { return atTheEnd(); }));
        evas_event_feed_mouse_move(evas(), 180, 180, 0, nullptr);
        launchesBefore = LaunchJournal::list().size();
    }
    void detents(int count, int direction = 1) {
        for (int i = 0; i < count; ++i)
            evas_event_feed_mouse_wheel(evas(), 0, direction, 0, nullptr);
    }
    // A finger pressed on the end of the list and moved up by `distance`, a few pixels at a time.
    void dragUp(int distance) {
        constexpr int startY = 320;
        msg_test::press(evas(), 180, startY);
        for (int moved = 0; moved < distance;) {
            moved = std::min(distance, moved + 4);
            evas_event_feed_mouse_move(evas(), 180, startY - moved, 0, nullptr);
        }
        msg_test::release(evas());
    }
    // A row as drawn (its item's own layout), lifted by its map while animating.
    static Evas_Object* rowOf(Elm_Object_Item* item) {
        Evas_Object* content = item ? elm_object_item_part_content_get(item, "elm.icon") : nullptr;
        return content ? evas_object_smart_parent_get(content) : nullptr;
    }
    // The list has come to rest at its end: the reply row in the middle of the circle. Wholly in
    // view is not enough: while the rows above are first measured the list still moves towards it.
    bool atTheEnd() const {
        Evas_Object* button = listView()->getReplyItem()->getButton();
        Evas_Object* row = replyRow();
        if (!row || !button || !evas_object_visible_get(button))
            return false;
        auto [listX, listY, listW, listH] = msg_test::boxOf(listView()->getGenlist());
        auto [x, y, w, h] = msg_test::boxOf(row);
        return h > 0 && std::abs((y + h / 2) - (listY + listH / 2)) <= 2;
    }
    Evas_Object* replyRow() const { return rowOf(listView()->getReplyItem()->getElmObjectItem()); }
    // The newest date line, over the newest bubble.
    Evas_Object* dateRow() const {
        Elm_Object_Item* item = elm_genlist_last_item_get(listView()->getGenlist());
        while (item && static_cast<MVItem*>(elm_object_item_data_get(item))->getType() != MVItem::DATE_LINE)
            item = elm_genlist_item_prev_get(item);
        return rowOf(item);
    }
    int lift() const { return msg_test::drawnShift(replyRow()).first; }
    std::vector<LaunchEntry> newLaunches() const {
        std::vector<LaunchEntry> all = LaunchJournal::list();
        return std::vector<LaunchEntry>(all.begin() + static_cast<long>(launchesBefore), all.end());
    }
    bool atRest() const { return !isAnimating() && !isTop() && lift() == 0; }

    RecordingScreenOpener opener;
    std::vector<int> ids;
    size_t launchesBefore = 0;
};

} // namespace

TEST_F(RotaryReplyTest, ThreeQuickDetentsOrADragPastTheEndLaunchTheReplyOnceButNotWithTheScreenReader) {
    openConversation();
    // A drag short of the distance leaves the list as it is.
    dragUp(12);
    EXPECT_FALSE(isAnimating());
    const std::pair<const char*, std::function<void()>> gestures[] = {
        {"detents", [this] { detents(3); }},
        // Straight through to the launch, however far the finger goes on.
        {"drag", [this] { dragUp(60); }},
    };
    for (size_t i = 0; i < std::size(gestures); ++i) {
        SCOPED_TRACE(gestures[i].first);
        gestures[i].second();
        ASSERT_TRUE(msg_test::runLoopUntil([&] { return newLaunches().size() > i; }, 10.0));
        // Once launched, the rows go back to their places for when the user returns.
        EXPECT_TRUE(msg_test::runLoopUntil([&] { return atRest(); })) << lift();
        EXPECT_EQ(newLaunches().size(), i + 1);
        EXPECT_EQ(opener.requests.size(), i + 1);
        const LaunchEntry reply = newLaunches().back();
        EXPECT_EQ(reply.target, INPUT_SELECTOR);
        for (const std::string& part :
             {std::string("address:+15550100"), "msgId:" + std::to_string(ids.back()),
              std::string("com.vorlane.message.appcontrol.compose")})
            EXPECT_NE(reply.request.find(part), std::string::npos) << reply.request;
        closeLaunched(reply.id);
    }
    EXPECT_EQ(opener.requests.front(), "check +15550100");

    // A blind user reaches the reply row by the reader instead: the bezel and a drag past the end
    // move nothing and launch nothing; the reader's activation selects the row, which replies once.
    ASSERT_NO_FATAL_FAILURE(setReader(true));
    launchesBefore = LaunchJournal::list().size();
    detents(3);
    dragUp(40);
    EXPECT_FALSE(isAnimating());
    ASSERT_TRUE(msg_test::runLoopUntilIdle());
    EXPECT_TRUE(atRest()) << lift();
    EXPECT_TRUE(newLaunches().empty());
    elm_genlist_item_selected_set(listView()->getReplyItem()->getElmObjectItem(), EINA_TRUE);
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return !newLaunches().empty(); }, 10.0));
    ASSERT_EQ(newLaunches().size(), 1u);
    EXPECT_EQ(newLaunches().front().target, INPUT_SELECTOR);
    closeLaunched(newLaunches().front().id);
}

// Detents that do not reply put the rows back: one lifts them (the date line too) and they fall
// back; a refused reply ends the animation, and so does back with the row held at the top.
TEST_F(RotaryReplyTest, DetentsThatDoNotReplyPutTheRowsBack) {
    openConversation();
    detents(1);
    EXPECT_TRUE(isAnimating());
    ASSERT_NE(dateRow(), nullptr);
    // The first step ends 62 pixels up.
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return lift() >= 60; })) << lift();
    EXPECT_GE(msg_test::drawnShift(dateRow()).first, 60);
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return atRest(); })) << lift();
    EXPECT_EQ(msg_test::drawnShift(dateRow()).first, 0);
    EXPECT_TRUE(opener.requests.empty());

    opener.composerError = "WDS_PN_TPOP_MEMORY_FULL_ABB";
    detents(3);
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return !opener.requests.empty(); }, 10.0));
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return atRest(); })) << lift();

    opener.composerError.clear();
    detents(2);
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return isTop() && !isAnimating(); }, 10.0));
    // 92 up at 1.73 times its size; the rows 123 up at their own size.
    EXPECT_NEAR(lift(), 92, 1);
    EXPECT_NEAR(msg_test::drawnShift(replyRow()).second, msg_test::boxOf(replyRow())[2] * 173 / 100, 4);
    EXPECT_NEAR(msg_test::drawnShift(dateRow()).first, 123, 1);
    listView()->back();
    EXPECT_TRUE(atRest());
    EXPECT_EQ(opener.requests.size(), 1u);
    EXPECT_TRUE(newLaunches().empty());
}

TEST_F(RotaryReplyTest, TheBezelScrollsInSelectModeAndNeverReplies) {
    // Taller than the screen, so that the bezel has somewhere to go.
    openConversation(8);
    Evas_Object* list = listView()->getGenlist();
    auto top = [list] {
        int y = 0;
        elm_scroller_region_get(list, nullptr, &y, nullptr, nullptr);
        return y;
    };
    // A detent brings the next row to the middle: far more than the pixel or two by which the list
    // settles after a change. A detent during a glide goes on from the row the glide goes to: each
    // turn waits until every glide begun has ended. Static: a glide may end after the test's frame.
    constexpr int ROW_STEP = 20;
    static int glides;
    glides = 0;
    auto count = [](void* data, Evas_Object*, void*) { ++*static_cast<int*>(data); };
    evas_object_smart_callback_add(list, "scroll,anim,start", count, &glides);
    evas_object_smart_callback_add(list, "scroll,anim,stop", count, &glides);

    listView()->doAction(MVListViewController::ACTION_SELECT_MODE);
    ASSERT_EQ(listView()->getViewType(), VIEW_TYPE_SELECT);
    // The rows take their check boxes first.
    msg_test::runLoopUntilIdle();
    // At the end of the list the clockwise detents that would reply do nothing.
    detents(3);
    msg_test::runLoopUntil([&] { return isAnimating() || !newLaunches().empty(); }, 1.0);
    EXPECT_TRUE(atRest()) << lift();
    // Both ways the bezel moves through the bubbles.
    for (int z : {-1, -1, 1}) {
        const int before = top();
        detents(1, z);
        EXPECT_TRUE(msg_test::runLoopUntil([&] {
            return glides % 2 == 0 && (top() - before) * z > ROW_STEP;
        })) << "from "
            << before << " to " << top();
    }
    EXPECT_EQ(listView()->getViewType(), VIEW_TYPE_SELECT);
    EXPECT_TRUE(atRest()) << lift();
    EXPECT_TRUE(newLaunches().empty());
}
