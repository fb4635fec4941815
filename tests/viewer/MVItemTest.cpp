#include "BubbleRowFixture.h"

#include "LogCapture.h"
#include "SimSeedMedia.h"
#include "common/CommonUiHelper.h"
#include "msg_store/MsgStore.h"
#include "viewer/MVItem/MVBubbleMarkup.h"
#include "viewer/MVItem/MVBubbleSpeech.h"
#include "viewer/MVItem/MVItemBubble.h"
#include "viewer/MVItem/MVItemDateLine.h"
#include "viewer/MVListModel.h"

#include <algorithm>
#include <ctime>
#include <tuple>

using namespace msg_app::msg_viewer;
using msg_store::Content;

namespace {

class ViewerItemTest : public BubbleRowFixture {
protected:
    // A group's sender is named when given.
    std::string markupOf(const msg_store::Conversation& conv, bool received = true,
                         const char* sender = nullptr) {
        MVBubbleMarkup::Input input;
        input.conv = &conv;
        input.received = received;
        input.timeText = "9:41 AM";
        input.isGroup = sender != nullptr;
        input.senderName = sender ? sender : "";
        return MVBubbleMarkup(genlist).make(input);
    }
};

// A received MMS of these parts.
msg_store::Conversation mmsOf(std::vector<Content> contents) {
    msg_store::Conversation conv;
    conv.msgType = "mms";
    conv.folderType = msg_store::FOLDER_INBOX;
    conv.contents = std::move(contents);
    return conv;
}

// An attachment's text is its file's name.
Content part(Content::MediaType type, const std::string& text = "", bool attachment = false,
             const std::string& path = "") {
    Content content;
    content.mediaType = type;
    content.text = text;
    content.isAttachment = attachment;
    content.fileName = attachment ? text : "";
    content.filePath = path;
    return content;
}

msg_store::Conversation sms(const char* text, msg_store::FolderType folder, int simIndex = 0,
                            msg_store::NetworkStatus networkStatus = msg_store::NETWORK_STATUS_NONE) {
    msg_store::Conversation conv;
    conv.text = text;
    conv.folderType = folder;
    conv.simIndex = simIndex;
    conv.networkStatus = networkStatus;
    return conv;
}

} // namespace

// A body is shown as text, never read as markup; a long one a part at a time, which a tap turns.
TEST_F(ViewerItemTest, BodiesAreShownAsTextAPartAtATimeAndKeptWhole) {
    // After the markup: each of these held the text layout at 100% CPU for good: a mark on a
    // space, after a zero-width space, or in long runs on every letter and space. They show on a
    // no-break space.
    std::string zalgo;
    for (const char* letter : {"H", " ", "i", " ", "y", "o", "u"}) {
        zalgo += letter;
        for (int i = 0; i < 40; ++i)
            zalgo += i % 2 ? "\u0489" : "\u0301";
    }
    // The body, and the parts it is shown in (0: whole, as the text its layout can take).
    const std::pair<std::string, size_t> cases[] = {
        {"<b>not bold</b> &amp; <font_size=90>big</font_size> "
         "<item size=240x240 vsize=full href=image:240.240.99></item> \u202Egnp.exe \u202Dplain",
         0},
        {"a \u0301 y\u0489", 0},
        {"  \u20DD\u20DD\u200B\u0484y", 0},
        {zalgo, 0},
        {std::string(300, 'w'), 1},
        {std::string(1500, 'w'), 2},
        {std::string(20000, 'w'), 20},
        {std::string(1024 * 1024, 'w'), 1049},
    };
    int64_t time = 1700000000000;
    for (const auto& [body, parts] : cases) {
        SCOPED_TRACE(body.substr(0, 40) + " (" + std::to_string(body.size()) + " bytes)");
        MVItemBubble* bubble = bubbleOf(msg_test::message("+15550100", body, time++));
        std::string shown = msg_test::plainTextOf(MVItemBubbleTestPeer::label(bubble));
        // The store keeps every byte.
        EXPECT_TRUE(bubble->getConv()->text == body);
        if (parts == 0) {
            EXPECT_NE(shown.find(msg_app::common_ui_helper::to_layout_safe(body)), std::string::npos);
            continue;
        }
        EXPECT_EQ(std::count(shown.begin(), shown.end(), 'w'),
                  std::min(body.size(), MVBubbleMarkup::BODY_PART_CHARS));
        if (parts == 1) {
            EXPECT_EQ(shown.find('/'), std::string::npos) << shown;
            continue;
        }
        EXPECT_NE(shown.find("1/" + std::to_string(parts)), std::string::npos);
        // A tap shows the next part; after the last comes the first again.
        for (size_t next = 2; next <= std::min<size_t>(parts, 3) + 1; ++next) {
            bubble->onSelect(bubble->getElmObjectItem());
            std::string expected = std::to_string(next > parts ? 1 : next) + "/" + std::to_string(parts);
            EXPECT_TRUE(msg_test::pumpUntil([&] {
                Evas_Object* label = MVItemBubbleTestPeer::label(bubble);
                return label && msg_test::plainTextOf(label).find(expected) != std::string::npos;
            })) << expected;
        }
    }
}

TEST_F(ViewerItemTest, SentAndReceivedBubblesAndTheirStatus) {
    // The message's folder and status, its bubble's kind and the status item it shows.
    const std::tuple<msg_store::FolderType, msg_store::NetworkStatus, int, const char*> cases[] = {
        {msg_store::FOLDER_INBOX, msg_store::NETWORK_STATUS_NONE, MVItemBubble::BUBBLE_RECEIVED,
         "communication_info"},
        {msg_store::FOLDER_SENT, msg_store::NETWORK_STATUS_SEND_SUCCESS, MVItemBubble::BUBBLE_SENT,
         "communication_info"},
        {msg_store::FOLDER_OUTBOX, msg_store::NETWORK_STATUS_SENDING, MVItemBubble::BUBBLE_SENT,
         "info_sending"},
        {msg_store::FOLDER_OUTBOX, msg_store::NETWORK_STATUS_SEND_FAIL_NETWORK, MVItemBubble::BUBBLE_SENT,
         "info_failed"},
    };
    int64_t time = 1700000000000;
    for (const auto& [folder, status, bubbleType, infoHref] : cases) {
        SCOPED_TRACE(infoHref);
        auto in = msg_test::message("+15550100", "hi", time++, folder);
        in.networkStatus = status;
        MVItemBubble* bubble = bubbleOf(in);
        EXPECT_EQ(bubble->getBubbleType(), bubbleType);
        std::string markup = markupOf(*bubble->getConv(), bubbleType == MVItemBubble::BUBBLE_RECEIVED);
        EXPECT_NE(markup.find(std::string("href=") + infoHref), std::string::npos) << markup;
        // The row is as tall as its bubble, never the whole screen.
        Evas_Coord h = 0;
        EXPECT_TRUE(msg_test::pumpUntil([&] {
            evas_object_geometry_get(MVItemBubbleTestPeer::label(bubble), nullptr, nullptr, nullptr, &h);
            return h > 20;
        }));
        EXPECT_LT(h, 200);
    }
}

TEST_F(ViewerItemTest, PicturesAreCappedFilesNamedAsTextAndPartsDrawnAsTheirMimeTypeSays) {
    msg_test::TempDir dir;
    ASSERT_TRUE(msg_sim::simWritePng(dir.file("tall.png"), 1, 10000, 200));
    ASSERT_TRUE(msg_sim::simWritePng(dir.file("wide.png"), 600, 240, 200));
    std::vector<Content> parts;
    for (const char* name : {"tall.png", "wide.png", "none.png"})
        parts.push_back(part(Content::MEDIA_TYPE_IMAGE, "", false, dir.file(name)));
    parts.push_back(part(Content::MEDIA_TYPE_NONE, "<b>" + std::string(200, 'n') + ".pdf", true));
    std::string markup = markupOf(mmsOf(parts));
    for (const char* drawn :
         {"size=240x130 vsize=full href=image:240.118.0", "size=240x108 vsize=full href=image:240.96.1",
          "size=240x112 vsize=full href=image:240.100.2", "size=240x32 vsize=full href=attachment:3"})
        EXPECT_NE(markup.find(drawn), std::string::npos) << markup;
    EXPECT_EQ(markup.find("<b>"), std::string::npos);
    EXPECT_EQ(MVBubbleMarkup::imageItemHeight(1, 2000000000), MVBubbleMarkup::IMAGE_MAX_H);

    // A part known only by its type, whether it is attached, and what is drawn for it (null: nothing).
    const std::tuple<const char*, bool, const char*> cases[] = {
        {"image/png", false, "size=240x108 vsize=full href=image:240.96.0"},
        {"IMAGE/PNG", false, "href=image:240.96.0"},
        {"audio/amr", false, "href=audio:0"},
        {"text/plain", false, "words of the part"},
        {"text/x-vcard", true, "href=attachment:0"},
        {"application/x-unknown", false, nullptr},
    };
    for (const auto& [mime, attached, drawn] : cases) {
        SCOPED_TRACE(mime);
        Content typed = part(Content::MEDIA_TYPE_NONE, "words of the part", attached, dir.file("wide.png"));
        typed.mimeType = mime;
        typed.fileName = "photo.png";
        markup = markupOf(mmsOf({typed}));
        if (drawn)
            EXPECT_NE(markup.find(drawn), std::string::npos) << markup;
        else
            EXPECT_EQ(markup.find("href=image"), std::string::npos) << markup;
        // Only a text part shows its text.
        EXPECT_EQ(markup.find("words of the part") != std::string::npos, std::string(mime) == "text/plain")
            << markup;
    }
}

TEST_F(ViewerItemTest, NotRetrievedMmsAndGroupSenders) {
    msg_store::Conversation mms = mmsOf({});
    mms.networkStatus = msg_store::NETWORK_STATUS_RETRIEVE_FAIL;
    mms.subject = "MMS Notification Message.";
    EXPECT_EQ(MVBubbleMarkup::getRetrieveType(mms, false), MVBubbleMarkup::RETRIEVE_BY_PHONE);
    std::string markup = markupOf(mms);
    EXPECT_NE(markup.find("Tap here to view message."), std::string::npos) << markup;
    EXPECT_NE(markup.find("href=separator"), std::string::npos);
    EXPECT_EQ(markup.find("MMS Notification Message."), std::string::npos);
    mms.folderType = msg_store::FOLDER_WATCH_INBOX;
    mms.networkStatus = msg_store::NETWORK_STATUS_NOT_RETRIEVED;
    EXPECT_EQ(MVBubbleMarkup::getRetrieveType(mms, true), MVBubbleMarkup::RETRIEVE_BY_WATCH);
    // A message we sent is never offered for fetching, whatever its status says.
    for (auto folder : {msg_store::FOLDER_SENT, msg_store::FOLDER_OUTBOX, msg_store::FOLDER_WATCH_SENT}) {
        for (auto status : {msg_store::NETWORK_STATUS_DELIVERED, msg_store::NETWORK_STATUS_RETRIEVE_FAIL}) {
            mms.folderType = folder;
            mms.networkStatus = status;
            for (bool watch : {true, false})
                EXPECT_EQ(MVBubbleMarkup::getRetrieveType(mms, watch), MVBubbleMarkup::RETRIEVE_NONE)
                    << folder;
        }
    }

    msg_store::Conversation group;
    group.msgType = "sms";
    group.isGroupChat = true;
    group.text = "hello";
    markup = markupOf(group, true, "Ann <i>&");
    EXPECT_EQ(markup.find("<sender>Ann &lt;i&gt;&amp;</sender><br>hello"), 0u) << markup;
}

TEST_F(ViewerItemTest, DateLinesNameTodayYesterdayAndOlderYears) {
    time_t now = time(nullptr), old = now - 800L * 24 * 3600;
    EXPECT_EQ(MVItemDateLine(now).getText(), "Today");
    EXPECT_EQ(MVItemDateLine(now - 24 * 3600).getText(), "Yesterday");
    struct tm date = {};
    localtime_r(&old, &date);
    EXPECT_NE(MVItemDateLine(old).getText().find(std::to_string(date.tm_year + 1900)), std::string::npos);
}

// What the reader says for a bubble, from the markup the bubble draws: each drawn item in words,
// the rest as plain text.
TEST_F(ViewerItemTest, ABubbleIsReadWithItsItemsInWords) {
    const struct {
        const char* name;
        msg_store::Conversation conv;
        bool mmsLabel;
        std::vector<std::string> said;
        std::vector<std::string> unsaid;
    } cases[] = {
        {"mms parts",
         mmsOf({part(Content::MEDIA_TYPE_TEXT, "hi & <b>bye</b>"), part(Content::MEDIA_TYPE_IMAGE),
                part(Content::MEDIA_TYPE_VIDEO), part(Content::MEDIA_TYPE_AUDIO),
                part(Content::MEDIA_TYPE_NONE, "<b>report.pdf", true)}),
         true,
         {"hi & <b>bye</b>", "Attached image", "Attached video", "Attached audio", "<b>report.pdf",
          " 9:41 AM ", " MMS "},
         {"href", "item"}},
        {"sim",
         sms("on SIM two", msg_store::FOLDER_INBOX, 1),
         false,
         {"on SIM two", " 9:41 AM ", " SIM 2 "},
         {"MMS"}},
        {"failed",
         sms("lost", msg_store::FOLDER_OUTBOX, 0, msg_store::NETWORK_STATUS_SEND_FAIL),
         false,
         {"lost", " Not sent "},
         {}},
        {"sending",
         sms("on its way", msg_store::FOLDER_OUTBOX, 0, msg_store::NETWORK_STATUS_SENDING),
         false,
         {"on its way"},
         {"9:41", "Not sent"}},
    };
    for (const auto& c : cases) {
        MVBubbleSpeech::Input input;
        input.conv = &c.conv;
        input.timeText = "9:41 AM";
        input.mmsLabel = c.mmsLabel;
        std::string said =
            MVBubbleSpeech::make(markupOf(c.conv, c.conv.folderType == msg_store::FOLDER_INBOX), input);
        for (const std::string& words : c.said)
            EXPECT_NE(said.find(words), std::string::npos) << c.name << ": [" << said << "] lacks " << words;
        for (const std::string& words : c.unsaid)
            EXPECT_EQ(said.find(words), std::string::npos) << c.name << ": [" << said << "] has " << words;
    }
    // An item without its kind, or out of range, says nothing.
    msg_store::Conversation conv;
    conv.contents = {part(Content::MEDIA_TYPE_NONE, "only.pdf", true)};
    MVBubbleSpeech::Input input;
    input.conv = &conv;
    msg_test::LogCapture log;
    EXPECT_EQ(MVBubbleSpeech::make("a<item size=1x1></item>b<item href=attachment:7></item>c"
                                   "<item href=attachment:99999999999></item><item size=2x2>",
                                   input),
              "abc");
    EXPECT_TRUE(log.contains("Invalid markup tag."));
}
