#include "ListRowFixture.h"

#include "LogCapture.h"
#include "contacts/ContactsAdmin.h"
#include "device/Device.h"
#include "list/MLReusableObjectPool.h"
#include "msg_store/MsgStore.h"
#include "msg_store/PhoneSide.h"
#include "msg_store/ThreadManager.h"

#include <glib.h>

#include <vector>

using namespace msg_app::msg_list;

namespace {

class ItemContentTest : public ListRowFixture {};

std::string badgeGroup(MLItem* row) {
    Evas_Object* badge = elm_object_item_part_content_get(row->getElmObjectItem(), "elm.icon.noti");
    if (!badge)
        return "";
    const char* group = nullptr;
    elm_image_file_get(badge, nullptr, &group);
    return group ? group : "";
}

} // namespace

TEST_F(ItemContentTest, BadgeFollowsTheUnreadCount) {
    const struct {
        int unread;
        const char* group;
        const char* text;
    } cases[] = {{9, "img/list/noti1", "9"},
                 {10, "img/list/noti2", "10"},
                 {99, "img/list/noti2", "99"},
                 {100, "img/list/noti3", "100"},
                 {1500, "img/list/noti3", "999"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.unread);
        elm_genlist_clear(genlist);
        MLItemContent* row = appendRow(conversation("+1555" + std::to_string(1000 + c.unread), c.unread));
        ASSERT_TRUE(waitRealized(row));
        EXPECT_EQ(row->getModel().getUnreadCnt(), c.unread);
        EXPECT_EQ(badgeGroup(row), c.group);
        EXPECT_EQ(shown(row, "elm.text.noti"), c.text);
    }
    EXPECT_STREQ(MLItemContent::unreadSignal(9), "elm,state,unread,1digit");
    EXPECT_STREQ(MLItemContent::unreadSignal(99), "elm,state,unread,2digit");
    EXPECT_STREQ(MLItemContent::unreadSignal(1500), "elm,state,unread,3digit");
}

TEST_F(ItemContentTest, ReadConversationsAndBlockedMessagesShowNoBadge) {
    int threadId = conversation("+15550100", 1);
    ASSERT_EQ(msg_store::ThreadManager().readThread(threadId), msg_store::MSG_STORE_SUCCESS);
    MLItemContent* row = appendRow(threadId);
    ASSERT_TRUE(waitRealized(row));
    EXPECT_EQ(badgeGroup(row), "");
    EXPECT_EQ(row->getText("elm.text.noti"), "");
}

TEST_F(ItemContentTest, LinesOfSubjectBodyAndNeither) {
    MLItemContent* both = appendRow(conversation("+15550001", 1, "the body", "The subject", 1700000000000));
    MLItemContent* none = appendRow(conversation("+15550002", 1, "", "", 1700000001000));
    MLItemContent* bodyOnly = appendRow(conversation("+15550003", 1, "just text", "", 1700000002000));
    for (MLItem* row :
         {static_cast<MLItem*>(both), static_cast<MLItem*>(none), static_cast<MLItem*>(bodyOnly)})
        ASSERT_TRUE(waitRealized(row));

    EXPECT_EQ(shown(both, "elm.text.1"), "The subject");
    EXPECT_EQ(shown(both, "elm.text.2"), "the body");
    EXPECT_EQ(both->getTextLayout(), MLItemContent::TEXT_LAYOUT_BOTH);

    EXPECT_EQ(shown(none, "elm.text.1"), "(No subject)");
    EXPECT_EQ(shown(none, "elm.text.2"), "");
    EXPECT_EQ(none->getText("elm.text.2"), "");
    // The theme gives the empty second line up and says so.
    EXPECT_TRUE(
        msg_test::pumpUntil([&] { return none->getTextLayout() == MLItemContent::TEXT_LAYOUT_HIDE_TEXT2; }));
    EXPECT_EQ(bodyOnly->getTextLayout(), MLItemContent::TEXT_LAYOUT_HIDE_TEXT2);

    EXPECT_EQ(shown(bodyOnly, "elm.text.1"), "just text");
    EXPECT_NE(shown(bodyOnly, "elm.text").find("5550003"), std::string::npos);
    EXPECT_FALSE(bodyOnly->getText("elm.text.3").empty());
}

TEST_F(ItemContentTest, HostileTextsAreShownAsText) {
    std::string hostile = "<b>bold</b> &amp; <font_size=80>x</font_size>\x01\x1b[31m\nnext\ttab";
    MLItemContent* row = appendRow(conversation("+15550001", 1, hostile));
    std::string huge(100 * 1024, 'z');
    MLItemContent* big =
        appendRow(conversation("+15550002", 1, huge, "\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d <i>"));
    ASSERT_TRUE(waitRealized(row));
    ASSERT_TRUE(waitRealized(big));

    // Control characters become spaces; tags and entities stay literal on screen.
    EXPECT_EQ(shown(row, "elm.text.1"), "<b>bold</b> &amp; <font_size=80>x</font_size>  [31m next tab");
    EXPECT_EQ(row->getText("elm.text.1").find('<'), std::string::npos)
        << "the markup handed over escapes tags";

    EXPECT_EQ(shown(big, "elm.text.1"), "\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d <i>");
    EXPECT_EQ(shown(big, "elm.text.2"), std::string(MLItemContentModel::BODY_LIMIT_WITH_SUBJECT, 'z'));
}

// The preloaded records a row is built from are not checked by the store: broken bytes still
// reach the label as valid text, and tags beside them stay literal.
TEST_F(ItemContentTest, BrokenBytesFromAProviderShowAsReplacementCharacters) {
    struct BrokenProvider : IMLItemDataProvider {
        bool getThreadById(int threadId, msg_store::Thread& out) override {
            if (msg_store::ThreadManager().getThread(threadId, out) != msg_store::MSG_STORE_SUCCESS)
                return false;
            out.snippet = "\xff<b>hi</b>\xc3";
            return true;
        }
        bool getMessageById(int, msg_store::Message&) override { return false; }
    } provider;
    auto* row = new MLItemContent(THREAD, NONE);
    ASSERT_TRUE(row->init(conversation("+15550003", 1), &provider));
    ASSERT_TRUE(wgenlist_item_append(genlist, nullptr, row, ELM_GENLIST_ITEM_NONE));
    ASSERT_TRUE(waitRealized(row));
    std::string markup = row->getText("elm.text.1");
    EXPECT_TRUE(g_utf8_validate(markup.c_str(), -1, nullptr)) << markup;
    EXPECT_EQ(shown(row, "elm.text.1"), "\xef\xbf\xbd<b>hi</b>\xef\xbf\xbd");
}

TEST_F(ItemContentTest, EqualTimesOrderByTheHigherId) {
    int a = conversation("+15550001", 1, "a", "", 1700000000000);
    int b = conversation("+15550002", 1, "b", "", 1700000000000);
    int older = conversation("+15550003", 1, "c", "", 1600000000000);
    MLItemContent rowA(THREAD, NONE), rowB(THREAD, NONE), rowOld(THREAD, NONE);
    ASSERT_TRUE(rowA.init(a, nullptr));
    ASSERT_TRUE(rowB.init(b, nullptr));
    ASSERT_TRUE(rowOld.init(older, nullptr));
    MLItemContent& higher = a > b ? rowA : rowB;
    MLItemContent& lower = a > b ? rowB : rowA;
    EXPECT_TRUE(higher.isAfter(lower));
    EXPECT_FALSE(lower.isAfter(higher));
    EXPECT_FALSE(higher.isAfter(higher));
    EXPECT_TRUE(lower.isAfter(rowOld)) << "a later time wins over a higher id";
    EXPECT_FALSE(rowOld.isAfter(lower));
}

TEST_F(ItemContentTest, ADryPoolStillGivesABadge) {
    auto* pool = MLReusableObjectPool::getInstance();
    while (Evas_Object* obj = pool->getObject())
        evas_object_del(obj);
    msg_test::LogCapture log;
    MLItemContent* row = appendRow(conversation("+15550001", 3));
    ASSERT_TRUE(waitRealized(row));
    EXPECT_TRUE(log.contains("Failed to get an object from provider."));
    EXPECT_EQ(badgeGroup(row), "img/list/noti1");
}

TEST_F(ItemContentTest, ShownObjectsAreLeftToTheGenlist) {
    auto* pool = MLReusableObjectPool::getInstance();
    MLItemContent* row = appendRow(conversation("+15550001", 2));
    ASSERT_TRUE(waitRealized(row));
    Evas_Object* badge = elm_object_item_part_content_get(row->getElmObjectItem(), "elm.icon.noti");
    ASSERT_TRUE(badge);
    size_t shown = pool->getSize();
    EXPECT_LT(shown, MLReusableObjectPool::INIT_SIZE);

    // The genlist deletes what it shows; the pool must never keep such an object.
    msg_test::LogCapture log;
    row->unswallow();
    elm_object_item_del(row->getElmObjectItem());
    EXPECT_EQ(pool->getSize(), shown);
    EXPECT_FALSE(log.contains("_instance is null"));
    while (Evas_Object* obj = pool->getObject()) {
        EXPECT_NE(obj, badge);
        const char* group = nullptr;
        elm_image_file_get(obj, nullptr, &group);
        EXPECT_STREQ(group, "img/list/noti1");
        evas_object_del(obj);
    }
}

TEST_F(ItemContentTest, BadgesOfRowsScrolledAwayServeTheRowsScrolledIn) {
    std::vector<MLItemContent*> rows;
    for (int i = 0; i < 40; ++i)
        rows.push_back(appendRow(conversation("+1555000" + std::to_string(100 + i), 1 + i % 9)));
    ASSERT_TRUE(waitRealized(rows.front()));
    msg_test::LogCapture log;
    // Down the whole list and back, a row at a time as the bezel would.
    std::vector<int> stops;
    for (int i = 1; i < 40; ++i)
        stops.push_back(i);
    for (int i = 38; i >= 0; --i)
        stops.push_back(i);
    for (int i : stops) {
        elm_genlist_item_show(rows[i]->getElmObjectItem(), ELM_GENLIST_ITEM_SCROLLTO_TOP);
        ASSERT_TRUE(waitRealized(rows[i])) << i;
    }
    // A fresh badge is made only while more rows show at once than the pool holds (how many
    // depends on how the genlist keeps up); most rows scrolled in take a badge given back.
    const int made = log.count("Failed to get an object from provider.");
    const int givenBack = log.count("_pool size(");
    EXPECT_GT(givenBack, 40) << "badges came back";
    EXPECT_LT(made * 4, givenBack) << made << " made";
    EXPECT_EQ(badgeGroup(rows.front()), "img/list/noti1");
}

TEST_F(ItemContentTest, UpdateFollowsTheStore) {
    int threadId = conversation("+15550001", 1, "first", "", 1700000000000);
    MLItemContent* row = appendRow(threadId);
    ASSERT_TRUE(waitRealized(row));

    bool grew = false;
    {
        msg_test::LogCapture log;
        EXPECT_TRUE(row->update(grew));
        EXPECT_TRUE(log.contains(">>>>> This item has already been updated."));
        EXPECT_FALSE(grew);
    }
    conversation("+15550001", 2, "later", "", 1700000005000);
    EXPECT_TRUE(row->update(grew));
    EXPECT_TRUE(grew);
    EXPECT_EQ(row->getModel().getUnreadCnt(), 3);
    ASSERT_TRUE(waitRealized(row));
    EXPECT_TRUE(msg_test::pumpUntil([&] { return shown(row, "elm.text.noti") == "3"; }));
    EXPECT_EQ(shown(row, "elm.text.1"), "later");

    ASSERT_EQ(msg_store::ThreadManager().deleteThread(threadId), msg_store::MSG_STORE_SUCCESS);
    EXPECT_FALSE(row->update(grew));
}

TEST_F(ItemContentTest, ARestoredBlockedMessageLeavesTheBlockedList) {
    int msgId = blockedMessage("+15550009", "prize");
    ASSERT_GT(msgId, 0);
    MLItemContent* row = appendRow(msgId, MSG, SPAM);
    ASSERT_TRUE(waitRealized(row));
    EXPECT_EQ(badgeGroup(row), "") << "message rows have no unread badge";
    bool grew = false;
    EXPECT_TRUE(row->update(grew));

    ASSERT_EQ(msg_store::MessageManager().restoreBlockedMessage(msgId), msg_store::MSG_STORE_SUCCESS);
    msg_test::LogCapture log;
    EXPECT_FALSE(row->update(grew));
    EXPECT_TRUE(log.contains("This message is not an spam message."));
}

TEST_F(ItemContentTest, SelectModeChecksAndReports) {
    MLItemContent* row = appendRow(conversation("+15550001", 1));
    std::vector<MLItem::Event> events;
    row->setEventListener([&](MLItem::Event event, const MLItem* from) {
        EXPECT_EQ(from, row);
        events.push_back(event);
    });
    ASSERT_TRUE(waitRealized(row));
    {
        msg_test::LogCapture log;
        row->setCheck(true);
        EXPECT_TRUE(log.contains("list style is normal."));
        EXPECT_FALSE(row->isChecked());
    }
    row->onSelect(row->getElmObjectItem());
    EXPECT_EQ(events, std::vector<MLItem::Event>{MLItem::SELECTED});

    row->setStyle(LIST_STYLE_SELECT);
    elm_genlist_item_update(row->getElmObjectItem());
    ASSERT_TRUE(msg_test::pumpUntil([&] {
        return elm_object_item_part_content_get(row->getElmObjectItem(), "elm.swallow.center_check");
    }));
    Evas_Object* check =
        elm_object_item_part_content_get(row->getElmObjectItem(), "elm.swallow.center_check");
    row->onSelect(row->getElmObjectItem());
    EXPECT_TRUE(row->isChecked());
    EXPECT_TRUE(elm_check_state_get(check));
    EXPECT_EQ(events.back(), MLItem::CHECK_CHANGED);

    std::string access;
    row->getAccessInfoText(access);
    EXPECT_NE(access.find("1 unread message selected"), std::string::npos) << access;

    // A checked row that gains unread messages is unchecked.
    events.clear();
    conversation("+15550001", 1, "more", "", 1700000009000);
    bool grew = false;
    EXPECT_TRUE(row->update(grew));
    EXPECT_FALSE(row->isChecked());
    EXPECT_EQ(events, std::vector<MLItem::Event>{MLItem::CHECK_CHANGED});

    row->setCheck(true);
    row->setStyle(LIST_STYLE_NORMAL);
    EXPECT_FALSE(row->isChecked());
    row->getAccessInfoText(access);
    EXPECT_EQ(access.find("elected"), std::string::npos) << access;
}

TEST_F(ItemContentTest, ScreenReaderDescription) {
    MLItemContent* row = appendRow(conversation("+15550001", 4, std::string(80, 'w'), "Hi"));
    ASSERT_TRUE(waitRealized(row));
    std::string access;
    row->getAccessInfoText(access);
    EXPECT_NE(access.find("4 unread messages"), std::string::npos) << access;
    EXPECT_EQ(access.find("Hi"), std::string::npos) << "lines are read only while highlighted";
    EXPECT_EQ(access.find("+15550001"), std::string::npos) << "numbers are read digit by digit: " << access;

    elm_object_item_signal_emit(row->getElmObjectItem(), "elm,action,access_highlight,show", "elm");
    ASSERT_TRUE(msg_test::pumpUntil([&] { return row->isHighlighted(); }));
    row->getAccessInfoText(access);
    std::string lines = "Hi " + std::string(80, 'w');
    EXPECT_NE(access.find(lines.substr(0, MLItemContent::MAX_ACCESS_TEXT_CHARS) + " "), std::string::npos)
        << access;
    EXPECT_EQ(access.find(lines.substr(0, MLItemContent::MAX_ACCESS_TEXT_CHARS + 1)), std::string::npos);

    row->unrealized();
    EXPECT_FALSE(row->isHighlighted());
}

TEST_F(ItemContentTest, ContactNamesAreShownAsTextInEitherDirection) {
    msg_device::Device* dev = msg_device::Device::getDefault();
    const std::string hostile = "<b>Bo</b> &amp; <font_size=90>Co";
    const std::string hebrew = "\xd7\x93\xd7\xa0\xd7\x94 \xd7\x9b\xd7\x94\xd7\x9f";
    ASSERT_TRUE(contacts_admin::addPerson(dev, hostile, {"+15550701"}, nullptr));
    ASSERT_TRUE(contacts_admin::addPerson(dev, hebrew, {"+15550702"}, nullptr));
    MLItemContent* markupRow = appendRow(conversation("+15550701", 1, "hi"));
    MLItemContent* rtlRow = appendRow(conversation("+15550702", 1, "\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d"));
    ASSERT_TRUE(waitRealized(markupRow));
    ASSERT_TRUE(waitRealized(rtlRow));
    EXPECT_EQ(shown(markupRow, "elm.text"), hostile);
    EXPECT_EQ(shown(rtlRow, "elm.text"), hebrew);
    EXPECT_EQ(shown(rtlRow, "elm.text.1"), "\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d");
}
