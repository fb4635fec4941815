// The blocked-message viewer on the watch's window over a fresh device with a connected store:
// blocked messages arrive through the phone side and the viewer is pushed on the naviframe. The rows
// it lays out for each kind of message (picture sizes, attachment icons, hostile texts shown
// literally and in bounded time), marking read on opening, and restore and delete from its option
// panel.
// First: it switches on the accessibility API before anything includes Elementary.
#include "common/popup/AccessApi.h"

#include "JournalStore.h"
#include "LaunchJournal.h"
#include "SimSeedMedia.h"
#include "WatchScreenTest.h"
#include "block/MBContentViewController.h"
#include "block/MBItem/MBItem.h"
#include "block/MBItem/MBItemAttachFile.h"
#include "block/MBItem/MBItemText.h"
#include "block/MBItem/MBItemThumbnail.h"
#include "common/addr/MCommonAddrMgr.h"
#include "common/ui/MCommonI18n.h"
#include "common/view/MCommonMoreOptionViewController.h"
#include "msg_store/MsgStore.h"
#include "msg_store/PhoneSide.h"
#include "vconf.h"
#include "view_kit/WNaviframeController.h"

#include <glib.h>
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

using msg_app::msg_block::MBItem;
using msg_app::msg_block::MBItemAttachFile;
using msg_app::msg_block::MBItemText;
using msg_app::msg_block::MBItemThumbnail;
using msg_store::Content;
using Types = std::vector<MBItem::Type>;

namespace {

class BlockViewFixture : public WatchScreenTest {
protected:
    static void SetUpTestSuite() {
        setenv("LANGUAGE", "en", 1);
        std::setlocale(LC_ALL, "C.UTF-8");
    }
    void SetUp() override {
        WatchScreenTest::SetUp();
        ASSERT_EQ(msg_store::ConnectionManager::connect(), msg_store::MSG_STORE_SUCCESS);
        vconf_set_str("db/menu_widget/regionformat", "en_US.UTF-8");
    }
    void TearDown() override {
        window->destroy();
        msg_app::MCommonAddrMgr::release();
        msg_app::MCommonI18n::release();
        settle();
        msg_store::ConnectionManager::disconnect();
        WatchScreenTest::TearDown();
    }

    // A message from `from` in the watch's spam folder unless the record says otherwise; its id.
    int receive(msg_store::IncomingMessage message, const std::string& from = "+15550100") {
        message.addresses = {{msg_store::ADDRESS_TYPE_PHONE, from}};
        message.time = message.time ? message.time : 1700000000000;
        int msgId = -1;
        EXPECT_EQ(msg_store::PhoneSide::insertMessage(message, &msgId), msg_store::MSG_STORE_SUCCESS);
        return msgId;
    }
    static msg_store::IncomingMessage sms(const std::string& text) {
        msg_store::IncomingMessage message;
        message.folderType = msg_store::FOLDER_WATCH_SPAM;
        message.text = text;
        return message;
    }
    static msg_store::IncomingMessage mms(const std::string& subject, std::vector<Content> parts) {
        msg_store::IncomingMessage message = sms("");
        message.msgType = "mms";
        message.subject = subject;
        message.contents = std::move(parts);
        return message;
    }
    static Content part(Content::MediaType type, const std::string& mime, const std::string& fileName) {
        Content content;
        content.mediaType = type;
        content.mimeType = mime;
        content.fileName = fileName;
        content.transferStatus = Content::TRANSFER_DOWNLOADED;
        return content;
    }
    // A picture of the device folder, read from path.
    static Content picture(const std::string& path) {
        Content image = part(Content::MEDIA_TYPE_IMAGE, "image/png", "pic.png");
        image.filePath = path;
        return image;
    }
    static Evas_Object* content(MBItem* row, const char* part) {
        return elm_object_item_part_content_get(row->getElmObjectItem(), part);
    }
    // The message's folder, -1 once it is no longer stored.
    static int folderOf(int msgId, bool* isRead = nullptr) {
        msg_store::Message message;
        if (msg_store::MessageManager().getMessage(msgId, message) != msg_store::MSG_STORE_SUCCESS)
            return -1;
        if (isRead)
            *isRead = message.isRead;
        return message.folderType;
    }
    // A real PNG of the given size in the device folder; its path.
    std::string writePng(const std::string& name, int width, int height) {
        std::string path = device.file(name);
        EXPECT_TRUE(msg_sim::simWritePng(path, width, height, 120)) << path;
        return path;
    }

    // Pushes the viewer of the message over the host page and lets it lay out.
    void open(int msgId) {
        viewer = new msg_app::msg_block::MBContentViewController(msgId);
        viewerWeak = viewer->getWeakPtr();
        bool pushed = false;
        EXPECT_TRUE(doAndWaitForTransition(
            [&] { pushed = window->getNaviframeController()->push(viewer, "msg_block"); }));
        EXPECT_TRUE(pushed);
    }
    std::vector<MBItem*> rows() const {
        std::vector<MBItem*> out;
        Evas_Object* genlist = viewerWeak.expired() ? nullptr : viewer->getGenlist();
        for (Elm_Object_Item* it = genlist ? elm_genlist_first_item_get(genlist) : nullptr; it;
             it = elm_genlist_item_next_get(it))
            out.push_back(static_cast<MBItem*>(elm_object_item_data_get(it)));
        return out;
    }
    std::vector<MBItem::Type> rowTypes() const {
        std::vector<MBItem::Type> types;
        for (MBItem* row : rows())
            types.push_back(row->getType());
        return types;
    }

    // The text a row gives its text part, read as plain text: for rows taller than the screen, which
    // the genlist draws only while they are in view.
    static std::string rowText(MBItem* row, const char* part = "elm.text") {
        Elm_Object_Item* item = row->getElmObjectItem();
        const Elm_Genlist_Item_Class* itc = elm_genlist_item_item_class_get(item);
        char* markup = itc && itc->func.text_get
                           ? itc->func.text_get(row, elm_object_item_widget_get(item), part)
                           : nullptr;
        std::string out = plainOf(markup);
        std::free(markup);
        return out;
    }

    // What the canvas draws for a text part of the row, scrolled into view: the text object of the
    // part in the row's view, found where the row is; its own text, or a textblock's markup read
    // as the plain text a reader sees.
    static std::string shownPlain(MBItem* row, const char* part = "elm.text") {
        Elm_Object_Item* item = row->getElmObjectItem();
        elm_genlist_item_show(item, ELM_GENLIST_ITEM_SCROLLTO_IN);
        const Evas_Object* shown = nullptr;
        msg_test::runLoopUntil(
            [&] {
                Evas_Object* track = elm_object_item_track(item);
                int x = 0, y = 0, w = 0, h = 0;
                evas_object_geometry_get(track, &x, &y, &w, &h);
                elm_object_item_untrack(item);
                Evas_Object* view = findView(elm_object_item_widget_get(item), x, y, w, h, part);
                shown = view ? edje_object_part_object_get(view, part) : nullptr;
                return shown != nullptr;
            },
            2.0);
        if (shown && std::string(evas_object_type_get(shown)) == "text") {
            const char* text = evas_object_text_text_get(shown);
            return text ? text : "";
        }
        return plainOf(shown ? evas_object_textblock_text_markup_get(const_cast<Evas_Object*>(shown))
                             : nullptr);
    }

    // Opens the option panel and taps its entry; the entry's text, empty when the panel did not open.
    std::string tapOption(int index) {
        Evas_Object* panel = elm_object_part_content_get(viewer->getEvasObject(), "elm.swallow.content");
        auto* more = dynamic_cast<msg_app::MCommonMoreOptionViewController*>(
            wviewcontroller_get_instance_from_evasobj(panel));
        if (!more)
            return "";
        more->open();
        auto* item = static_cast<Eext_Object_Item*>(eina_list_nth(eext_more_option_items_get(panel), index));
        if (!item ||
            !msg_test::runLoopUntilPartState(elm_layout_edje_get(panel), "eext.swallow.panel", "opened"))
            return "";
        std::string text = eext_more_option_item_part_text_get(item, "selector,main_text");
        clickCenter(item->obj);
        return text;
    }
    // Runs the loop until the viewer has left the naviframe; popViewer() first asks it to leave.
    bool waitPopped() {
        return msg_test::runLoopUntil(
            [&] { return window->getNaviframeController()->getPageCount() == 1 && viewerWeak.expired(); },
            5.0);
    }
    bool popViewer() {
        viewer->popOut();
        return waitPopped();
    }
    // The platform journal's texts, oldest first.
    static std::vector<std::string> journal() {
        std::vector<std::string> texts;
        for (const auto& entry : msg_services::JournalStore::list("journal"))
            texts.push_back(entry.category + " " + entry.text);
        return texts;
    }

    msg_app::msg_block::MBContentViewController* viewer = nullptr;
    std::weak_ptr<view_kit::WViewController> viewerWeak;

    // Markup as the plain text a reader sees.
    static std::string plainOf(const char* markup) {
        char* plain = markup ? evas_textblock_text_markup_to_utf8(nullptr, markup) : nullptr;
        std::string out = plain ? plain : "";
        std::free(plain);
        return out;
    }

private:
    // The edje object among the smart members below obj at that geometry which has the part.
    static Evas_Object* findView(Evas_Object* obj, int x, int y, int w, int h, const char* part) {
        int ox = 0, oy = 0, ow = 0, oh = 0;
        evas_object_geometry_get(obj, &ox, &oy, &ow, &oh);
        if (ox == x && oy == y && ow == w && oh == h && std::string(evas_object_type_get(obj)) == "edje" &&
            edje_object_part_object_get(obj, part))
            return obj;
        Evas_Object* found = nullptr;
        Eina_List* members = evas_object_smart_members_get(obj);
        for (Eina_List* l = members; l && !found; l = eina_list_next(l))
            found = findView(static_cast<Evas_Object*>(eina_list_data_get(l)), x, y, w, h, part);
        eina_list_free(members);
        return found;
    }
};

using BlockRowTest = BlockViewFixture;
using BlockViewTest = BlockViewFixture;

TEST_F(BlockRowTest, PicturesFillTheWidthInProportionToTheScaleAndVideosShowTheirStillUnderPlayMarks) {
    std::string broken = device.file("broken.png");
    ASSERT_TRUE(g_file_set_contents(broken.c_str(), "not a picture", -1, nullptr));
    Content video = part(Content::MEDIA_TYPE_VIDEO, "video/mp4", "clip.mp4");
    video.filePath = device.file("clip.mp4"); // not a picture: the thumbnail is what is drawn
    video.thumbnailPath = writePng("thumb.png", 300, 300);
    const struct {
        Content content;
        double scale;
        int w, h;
        const char* playMark;
    } cases[] = {
        {picture(writePng("scaled.png", 600, 400)), 1.5, 441, 294, ""},
        {picture(broken), 1.0, 0, 0, ""}, // a picture without a width keeps its reported size
        {video, 1.0, 294, 294, "img/filtered/detailview/play"},
    };
    double scale = elm_config_scale_get();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.content.fileName + " at " + std::to_string(c.scale));
        elm_config_scale_set(c.scale);
        open(receive(mms("", {c.content})));
        std::vector<MBItem*> shown = rows();
        ASSERT_GT(shown.size(), 1u);
        MBItem* row = shown[shown.size() - 2]; // the one above the room that ends every message
        int w = -1, h = -1;
        evas_object_size_hint_min_get(content(row, "elm.icon"), &w, &h);
        elm_config_scale_set(scale);
        ASSERT_EQ(MBItem::THUMBNAIL, row->getType());
        Evas_Object* play = content(row, "elm.icon.bg.play");
        EXPECT_EQ(std::make_tuple(c.w, c.h, c.playMark), std::make_tuple(w, h, play ? imageGroup(play) : ""));
        ASSERT_TRUE(popViewer());
    }
}

TEST(BlockRowSizeTest, RowHeightIsTruncatedAndCappedWithoutOverflow) {
    int w = 0, h = 0;
    // 294 / 1000 truncates to 0; a tall picture's row is capped, without overflow before the cap.
    const struct {
        int w, h, rowH;
    } sizes[] = {{7, 3, 126}, {1000, 1, 0}, {1, 10000, 400}, {1, 2000000000, 400}};
    for (const auto& c : sizes) {
        ASSERT_TRUE(MBItemThumbnail::fitSize(c.w, c.h, w, h)) << c.w << "x" << c.h;
        EXPECT_EQ(std::make_tuple(294, c.rowH), std::make_tuple(w, h)) << c.w << "x" << c.h;
    }
    w = h = -7;
    EXPECT_FALSE(MBItemThumbnail::fitSize(0, 50, w, h));
    EXPECT_EQ(-7, w) << "outputs untouched";
}

TEST(BlockRowSizeTest, AttachmentIconIsChosenByMediaTypeThenMimePrefixInAnyCase) {
    const struct {
        Content::MediaType type;
        const char* mime;
        const char* icon;
    } cases[] = {
        {Content::MEDIA_TYPE_AUDIO, "text/x-vCard", "img/filtered/attachment/audio"},
        {Content::MEDIA_TYPE_NONE, "TEXT/X-VCARD; charset=utf-8", "img/filtered/attachment/vcf"},
        {Content::MEDIA_TYPE_NONE, "text/x-vcalendar", "img/filtered/attachment/vcs"},
        {Content::MEDIA_TYPE_NONE, "text/x-vTodo", "img/filtered/attachment/task"},
        {Content::MEDIA_TYPE_NONE, "text/x-vC", "img/filtered/attachment/etc"},
        {Content::MEDIA_TYPE_NONE, "", "img/filtered/attachment/etc"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(c.icon, MBItemAttachFile::getIconGroup(c.type, c.mime)) << c.mime;
}

TEST_F(BlockRowTest, MarkupInEveryTextIsShownLiterally) {
    const std::string body = "<b>WIN</b> &amp; <font_size=90>big</font_size><br>now";
    const std::string subject = "<color=#f00>Sale</color> & more";
    const std::string fileName = "<item size=900x900 vsize=full href=file:///etc/passwd></item>.vcf";
    Content text = part(Content::MEDIA_TYPE_TEXT, "text/plain", "");
    text.text = body;
    Content file = part(Content::MEDIA_TYPE_NONE, "Text/X-VCalendar", fileName);
    file.isAttachment = true;
    open(receive(mms(subject, {text, file}), "<b>spammer</b>"));
    auto shown = rows();
    ASSERT_EQ(7u, shown.size());
    EXPECT_EQ((std::vector<std::string>{"<b>spammer</b>", subject, body, fileName}),
              (std::vector<std::string>{shownPlain(shown[0]), shownPlain(shown[2]), shownPlain(shown[4]),
                                        shownPlain(shown[5])}));
    EXPECT_EQ("img/filtered/attachment/vcs", imageGroup(content(shown[5], "elm.icon")));
}

TEST_F(BlockRowTest, ALongBodyReadsOnOverRowsOfOnePartEachUpToTheShownLength) {
    std::string words;
    for (int i = 0; words.size() < 100 * 1000; ++i)
        words += "word" + std::to_string(i) + " ";
    std::string huge(2 * 1024 * 1024, 'x');
    huge.replace(MBItem::MAX_SHOWN_BYTES - 1, 3, "\xE2\x82\xAC"); // a character across the cut
    const std::string ellipsis = "\xE2\x80\xA6";
    for (const std::string& body : {words, huge}) {
        SCOPED_TRACE(body.substr(0, 10));
        open(receive(sms(body)));
        std::vector<MBItem*> shown = rows();
        ASSERT_GT(shown.size(), 3u);
        ASSERT_EQ(MBItem::BOTTOM_PADDING, shown.back()->getType());
        std::string read;
        for (size_t i = 2; i + 1 < shown.size(); ++i) {
            ASSERT_EQ(MBItem::TEXT, shown[i]->getType());
            std::string text = rowText(shown[i]);
            EXPECT_LE(g_utf8_strlen(text.c_str(), -1), static_cast<glong>(MBItemText::PART_CHARS + 1));
            EXPECT_TRUE(g_utf8_validate(text.c_str(), -1, nullptr))
                << "row " << i << " cut inside no character";
            read += text;
        }
        // Parts of words end between words; the last part shown says that more was cut.
        EXPECT_TRUE(body != words || shownPlain(shown[2]).back() == ' ');
        // What is shown reaches the limit, whole: past the character across it.
        ASSERT_GE(read.size(), MBItem::MAX_SHOWN_BYTES + ellipsis.size());
        EXPECT_LT(read.size(), MBItem::MAX_SHOWN_BYTES + MBItemText::PART_CHARS + 2 + ellipsis.size());
        EXPECT_EQ(read, body.substr(0, read.size() - ellipsis.size()) + ellipsis);
        ASSERT_TRUE(popViewer());
    }

    std::string whole(MBItem::MAX_SHOWN_BYTES, 'y');
    EXPECT_EQ(whole, MBItem::toMarkup(whole)) << "a text at the limit is shown whole";

    // The store keeps only UTF-8; a row given anything else still shows valid text.
    std::string shown = plainOf(MBItem::toMarkup("ok \xFF\xFE end\x01").c_str());
    EXPECT_TRUE(g_utf8_validate(shown.c_str(), -1, nullptr)) << shown;
    EXPECT_TRUE(shown.rfind("ok ", 0) == 0 && shown.find(" end") != std::string::npos) << shown;
    EXPECT_EQ(std::string::npos, shown.find('\x01'));
}

TEST_F(BlockViewTest, EachKindOfMessageLaysOutItsRowsInOrder) {
    msg_store::IncomingMessage spam = sms("first\rsecond\r\nthird");
    spam.folderType = msg_store::FOLDER_SPAM;
    std::string pic = writePng("p.png", 60, 40);
    Content text = part(Content::MEDIA_TYPE_TEXT, "text/plain", "");
    text.text = "see\rthis";
    Content video = part(Content::MEDIA_TYPE_VIDEO, "video/mp4", "v.mp4");
    video.thumbnailPath = pic;
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
         mms("",
             {text, picture(pic), video, part(Content::MEDIA_TYPE_AUDIO, "audio/amr", "a.amr"), card, smil}),
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
        EXPECT_TRUE(isRead && viewer->getMessage().isRead);
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
