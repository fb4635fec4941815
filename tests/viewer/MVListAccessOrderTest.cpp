// First: it opens the accessibility API before Elementary is included; a reader moves onto a row
// through its component.
#define EFL_ACCESS_COMPONENT_PROTECTED
#include "common/popup/AccessApi.h"

#include "ViewerScreenFixture.h"

#include "MainLoop.h"
#include "msg_store/MsgStore.h"
#include "vconf.h"
#include "viewer/MVItem/MVItemBubble.h"
#include "viewer/MVItem/MVItemReply.h"
#include "viewer/MVOptionMgr.h"

#include <algorithm>
#include <set>

using namespace msg_app::msg_viewer;

namespace {

constexpr int64_t START_MS = 1700049600000;
constexpr const char* TTS_KEY = "db/setting/accessibility/tts";

// The conversation as a screen reader walks it: along the flows-to links between the shown rows
// and the buttons after them.
class ViewerAccessTest : public ViewerScreenFixture {
protected:
    static void setReader(bool on) { ASSERT_EQ(vconf_set_bool(TTS_KEY, on), VCONF_OK); }
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
        std::string said = description ? description : "";
        switch (row->getType()) {
        case MVItem::TITLE:
            return "title " + said;
        case MVItem::DATE_LINE: {
            // Named as drawn, also while not drawn.
            const char* name = efl_access_object_i18n_name_get(obj);
            bool heading = efl_access_object_role_get(obj) == EFL_ACCESS_ROLE_HEADING;
            if (name && *name && name == drawnText(obj) && heading)
                return "date";
            return std::string("date misnamed '") + (name ? name : "") + "'";
        }
        case MVItem::BUBBLE:
            return "bubble " + std::to_string(static_cast<MVItemBubble*>(row)->getMsgId());
        case MVItem::REPLY: {
            const char* name = efl_access_object_i18n_name_get(obj);
            bool button = efl_access_object_role_get(obj) == EFL_ACCESS_ROLE_PUSH_BUTTON;
            return std::string("reply ") + (name ? name : "") + (button ? " button" : "") +
                   (said.empty() ? "" : " " + said);
        }
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
    // The chain read from the shown rows is the end of the whole order, the reply row included.
    bool readsAsEndOf(const std::vector<std::string>& whole) const {
        std::vector<std::string> chain = readingChain();
        return chain.size() >= 4 && chain.size() <= whole.size() &&
               std::equal(chain.rbegin(), chain.rend(), whole.rbegin());
    }
    bool nothingLinked() const {
        Eina_List* realized = elm_genlist_realized_items_get(listView()->getGenlist());
        bool none = true;
        void* data = nullptr;
        Eina_List* node = nullptr;
        EINA_LIST_FOREACH(realized, node, data) {
            none = none && related(static_cast<Eo*>(data), EFL_ACCESS_RELATION_TYPE_FLOWS_TO).empty();
        }
        eina_list_free(realized);
        return none && realized;
    }
    Elm_Object_Item* replyRow() const { return listView()->getReplyItem()->getElmObjectItem(); }
    bool replySelectable() const {
        return elm_genlist_item_select_mode_get(replyRow()) == ELM_OBJECT_SELECT_MODE_DEFAULT;
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
    std::vector<int> openSameDay(int count) {
        // Minutes apart on one day: one date line over them all.
        std::vector<int> ids = thread(count, START_MS, 60);
        open(threadId);
        return ids;
    }
};

} // namespace

TEST_F(ViewerAccessTest, TheReaderSettingLinksAndUnlinksTheConversationLive) {
    setReader(false);
    std::vector<int> ids = openSameDay(3);
    const std::vector<std::string> whole = expected(ids, "reply Reply button");
    // The reply row is a selectable button only while the reader is on.
    const struct {
        bool on;
        std::function<bool()> check;
    } steps[] = {
        {false, [&] { return nothingLinked() && !replySelectable(); }},
        {true, [&] { return readsAsEndOf(whole) && replySelectable(); }},
        {false, [&] { return nothingLinked() && !replySelectable(); }},
    };
    for (const auto& step : steps) {
        setReader(step.on);
        EXPECT_TRUE(msg_test::runLoopUntil(step.check)) << "reader " << step.on;
    }
    // A bubble says its text and the time under it; the cue and the rows are related both ways.
    setReader(true);
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return readsAsEndOf(whole); }));
    MVItemBubble* newest = listView()->findBubble(ids.back());
    const char* said = efl_access_object_description_get(newest->getElmObjectItem());
    ASSERT_NE(said, nullptr);
    EXPECT_NE(std::string(said).find("message 2"), std::string::npos) << said;
    EXPECT_NE(std::string(said).find(newest->getTimeText()), std::string::npos) << said;
    EXPECT_EQ(std::string(said).find('<'), std::string::npos) << "no markup is read: " << said;
}

TEST_F(ViewerAccessTest, AReaderWalksBackPastTheShownRowsToTheTitle) {
    setReader(true);
    // Nine hours apart: a date line every two or three bubbles, more rows than the screen shows.
    thread(12, START_MS, 9 * 3600);
    open(threadId);
    // Each walk goes a screen further back, up to the title; every day's line is named as drawn.
    EXPECT_TRUE(msg_test::runLoopUntil([&] { return readingChain(true) == readableRows(); }))
        << ::testing::PrintToString(readingChain());
}

TEST_F(ViewerAccessTest, ReceivingDeletingAndSelectModeRelinkTheEnd) {
    setReader(true);
    std::vector<int> ids = openSameDay(3);
    ASSERT_TRUE(msg_test::runLoopUntil([&] { return readsAsEndOf(expected(ids, "reply Reply button")); }));

    int received =
        msg_test::storeMessages({msg_test::message("+15550100", "new", START_MS + 600000)}).front();
    ASSERT_TRUE(msg_test::pumpUntil([&] { return listView()->findBubble(received) != nullptr; }));
    std::vector<int> withReceived = ids;
    withReceived.push_back(received);
    EXPECT_TRUE(
        msg_test::runLoopUntil([&] { return readsAsEndOf(expected(withReceived, "reply Reply button")); }));

    ASSERT_EQ(msg_store::MessageManager().deleteMessage(ids.back()), msg_store::MSG_STORE_SUCCESS);
    ASSERT_TRUE(msg_test::pumpUntil([&] { return listView()->findBubble(ids.back()) == nullptr; }));
    std::vector<int> afterDelete{ids[0], ids[1], received};
    EXPECT_TRUE(
        msg_test::runLoopUntil([&] { return readsAsEndOf(expected(afterDelete, "reply Reply button")); }));

    // In select mode the disabled reply is read as such, and the delete button comes before the cue.
    listView()->doAction(MVListViewController::ACTION_SELECT_MODE);
    ASSERT_NE(listView()->getBottomButton(), nullptr);
    EXPECT_TRUE(msg_test::runLoopUntil(
        [&] { return readsAsEndOf(expected(afterDelete, "reply Reply button Disabled")); }));
    ASSERT_TRUE(listView()->back() == false);
    EXPECT_TRUE(
        msg_test::runLoopUntil([&] { return readsAsEndOf(expected(afterDelete, "reply Reply button")); }));
}
