// The blocked-message viewer on the watch's window over a real store: the rows it lays out for each
// kind of message, marking read on opening, and restore and delete from its option panel.
// First: it switches on the accessibility API before anything includes Elementary.
#include "common/popup/AccessApi.h"

#include "BlockViewFixture.h"
#include "LaunchJournal.h"
#include "msg_store/MsgStore.h"
#include "view_kit/WNaviframeController.h"

#include <gtest/gtest.h>

#include <ctime>

using msg_app::msg_block::MBItem;
using Types = std::vector<MBItem::Type>;

namespace {

class BlockViewTest : public BlockViewFixture {
protected:
    // The message's folder, -1 once it is no longer stored.
    static int folderOf(int msgId, bool* isRead = nullptr) {
        msg_store::Message message;
        if (msg_store::MessageManager().getMessage(msgId, message) != msg_store::MSG_STORE_SUCCESS)
            return -1;
        if (isRead)
            *isRead = message.isRead;
        return message.folderType;
    }
};

TEST_F(BlockViewTest, EachKindOfMessageLaysOutItsRowsInOrder) {
    using msg_store::Content;
    msg_store::IncomingMessage spam = sms("first\rsecond\r\nthird");
    spam.folderType = msg_store::FOLDER_SPAM;
    std::string picture = writePng("p.png", 60, 40);
    Content text = part(Content::MEDIA_TYPE_TEXT, "text/plain", "");
    text.text = "see\rthis";
    Content image = part(Content::MEDIA_TYPE_IMAGE, "image/png", "p.png");
    image.filePath = picture;
    Content video = part(Content::MEDIA_TYPE_VIDEO, "video/mp4", "v.mp4");
    video.thumbnailPath = picture;
    Content card = part(Content::MEDIA_TYPE_NONE, "text/x-vcard", "me.vcf");
    card.isAttachment = true;
    Content smil = part(Content::MEDIA_TYPE_NONE, "application/smil", "layout.smil");
    const Types sub{MBItem::TITLE, MBItem::DATE_LINE, MBItem::TEXT, MBItem::SEPARATOR,
                    MBItem::BOTTOM_PADDING};
    const struct {
        const char* name;
        msg_store::IncomingMessage message;
        Types types;
        const char* dateStyle; // nullptr: not checked
        std::string third;     // the text of the row after the date line
    } cases[] = {
        {"empty sms",
         sms(""),
         {MBItem::TITLE, MBItem::DATE_LINE, MBItem::NO_CONTENT, MBItem::BOTTOM_PADDING},
         "filtered_list/detailview/date_from_hulm",
         "(No content)"},
        {"phone spam",
         spam,
         {MBItem::TITLE, MBItem::DATE_LINE, MBItem::TEXT, MBItem::BOTTOM_PADDING},
         "filtered_list/detailview/date_from_mobile",
         "first\nsecond\nthird"},
        // No subject: neither subject row nor separator; a part that is no attachment: no row.
        {"parts",
         mms("", {text, image, video, part(Content::MEDIA_TYPE_AUDIO, "audio/amr", "a.amr"), card, smil}),
         {MBItem::TITLE, MBItem::DATE_LINE, MBItem::TEXT, MBItem::THUMBNAIL, MBItem::THUMBNAIL,
          MBItem::ATTACH_FILE, MBItem::ATTACH_FILE, MBItem::BOTTOM_PADDING},
         nullptr,
         "see\nthis"},
        {"store's notification", mms("MMS Notification", {}), sub, nullptr, "MMS notification"},
        {"sender's text", mms("MMS Notification Message. Call now", {}), sub, nullptr,
         "MMS Notification Message. Call now"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        open(receive(c.message));
        ASSERT_EQ(c.types, rowTypes());
        auto shown = rows();
        EXPECT_NE(std::string::npos, shownPlain(shown[0]).find("555")) << shownPlain(shown[0]);
        EXPECT_NE(std::string::npos, shownPlain(shown[1]).find("2023")) << shownPlain(shown[1]);
        if (c.dateStyle) {
            EXPECT_STREQ(c.dateStyle,
                         elm_genlist_item_item_class_get(shown[1]->getElmObjectItem())->item_style);
        }
        EXPECT_EQ(c.third, shownPlain(shown[2]));
        for (MBItem* row : shown)
            EXPECT_EQ(ELM_OBJECT_SELECT_MODE_NONE, elm_genlist_item_select_mode_get(row->getElmObjectItem()));
        // The page is named by its sender, read as a number; its title bar stays off.
        const char* name = efl_access_object_i18n_name_get(viewer->getNaviframeItem());
        ASSERT_NE(nullptr, name);
        EXPECT_EQ(std::string::npos, std::string(name).find('<')) << name;
        EXPECT_NE(std::string::npos, std::string(name).find("5 5 5")) << name;
        EXPECT_FALSE(elm_naviframe_item_title_enabled_get(viewer->getNaviframeItem()));
        ASSERT_TRUE(popViewer());
    }
}

TEST_F(BlockViewTest, MessageMissingOrOutsideTheSpamFoldersShowsOnlyTheTitle) {
    msg_store::IncomingMessage inbox = sms("not blocked");
    inbox.folderType = msg_store::FOLDER_INBOX;
    for (int msgId : {4242, receive(inbox)}) {
        SCOPED_TRACE(msgId);
        open(msgId);
        EXPECT_EQ((Types{MBItem::TITLE}), rowTypes());
        settle();
        EXPECT_TRUE(msgId != 4242 || journal().empty()) << "nothing was opened, though the page came in";
        ASSERT_TRUE(popViewer());
    }
}

TEST_F(BlockViewTest, OpeningAnUnreadMessageMarksItReadAndJournalsItOnce) {
    msg_store::IncomingMessage seen = sms("seen");
    seen.isRead = true;
    const struct {
        msg_store::IncomingMessage message;
        const char* entry; // nullptr: neither marked nor journaled
    } cases[] = {
        {seen, nullptr},
        {sms("hello"), "MESSAGE SMS_MSG_OPENED"},
        {mms("hi", {}), "MESSAGE MMS_MSG_OPENED +15550199"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry ? c.entry : "read");
        ASSERT_TRUE(!viewer || popViewer());
        size_t before = journal().size();
        int msgId = receive(c.message, "+15550199");
        open(msgId);
        settle();
        ASSERT_TRUE(!c.entry || msg_test::runLoopUntil([&] { return journal().size() > before; }));
        bool isRead = false;
        folderOf(msgId, &isRead);
        EXPECT_TRUE(isRead);
        EXPECT_TRUE(viewer->getMessage().isRead);
        ASSERT_EQ(before + (c.entry ? 1 : 0), journal().size());
        EXPECT_EQ(c.entry ? c.entry : "", c.entry ? journal().back() : "");
    }
    // A transition of a page pushed over the viewer is not a second opening.
    size_t opened = journal().size();
    ASSERT_TRUE(doAndWaitForTransition([&] { window->getNaviframeController()->push(new HostPage()); }));
    EXPECT_EQ(opened, journal().size());
}

TEST_F(BlockViewTest, UnblockAndDeleteActAndLeaveWithAToastOnlyWhenDone) {
    const struct {
        int option;
        const char* text;
        bool goneBefore;
        int folder; // -1: no longer stored
        const char* toast;
    } cases[] = {
        {0, "Unblock", false, msg_store::FOLDER_WATCH_INBOX, "WDS_MSG_TPOP_MESSAGE_RESTORED_ABB"},
        {1, "Delete", false, -1, "WDS_MSG_TPOP_MESSAGE_DELETED_ABB"},
        {0, "Unblock", true, -1, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        int msgId = receive(sms("x"));
        open(msgId);
        ASSERT_TRUE(!c.goneBefore ||
                    msg_store::MessageManager().deleteMessage(msgId) == msg_store::MSG_STORE_SUCCESS);
        size_t launchesBefore = msg_services::LaunchJournal::list().size();
        ASSERT_EQ(c.text, tapOption(c.option));
        ASSERT_TRUE(waitPopped());
        EXPECT_EQ(c.folder, folderOf(msgId));
        auto launches = msg_services::LaunchJournal::list();
        ASSERT_EQ(launchesBefore + (c.toast ? 1 : 0), launches.size());
        EXPECT_TRUE(!c.toast || launches.back().request.find(c.toast) != std::string::npos);
    }
}

TEST_F(BlockViewTest, TheDateLineFollowsTheClockStyleAndShowsTheYearOnlyForAnotherYear) {
    setInt("db/setting/date_format", 1);
    setInt("db/menu_widget/regionformat_time1224", 1);
    time_t now = time(nullptr);
    for (time_t when : {now - 800L * 24 * 3600, now}) {
        tm local{};
        localtime_r(&when, &local);
        char prefix[16];
        strftime(prefix, sizeof(prefix), when == now ? "%m/%d " : "%m/%d/%Y ", &local);
        msg_store::IncomingMessage message = sms("when");
        message.time = static_cast<int64_t>(when) * 1000;
        open(receive(message));
        MBItem* date = rows()[1];
        std::string shown = shownPlain(date);
        EXPECT_EQ(shown.rfind(prefix, 0), 0u) << prefix << " / " << shown;
        if (when == now) {
            ASSERT_TRUE(shown.find("AM") != std::string::npos || shown.find("PM") != std::string::npos)
                << shown;
            setInt("db/menu_widget/regionformat_time1224", 2);
            EXPECT_TRUE(msg_test::runLoopUntil([&] {
                return shownPlain(date).find('M') == std::string::npos;
            })) << shownPlain(date);
        }
        ASSERT_TRUE(popViewer());
    }
}

} // namespace
