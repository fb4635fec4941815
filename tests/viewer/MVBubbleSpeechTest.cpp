#include "ListRowFixture.h"

#include "LogCapture.h"
#include "viewer/MVItem/MVBubbleMarkup.h"
#include "viewer/MVItem/MVBubbleSpeech.h"

using namespace msg_app::msg_viewer;
using msg_store::Content;

namespace {

Content part(Content::MediaType type, const std::string& text = "", bool attachment = false) {
    Content content;
    content.mediaType = type;
    content.text = text;
    content.isAttachment = attachment;
    content.fileName = attachment ? text : "";
    return content;
}

msg_store::Conversation message(const char* text, msg_store::FolderType folder, int simIndex = 0,
                                msg_store::NetworkStatus networkStatus = msg_store::NETWORK_STATUS_NONE) {
    msg_store::Conversation conv;
    conv.text = text;
    conv.folderType = folder;
    conv.simIndex = simIndex;
    conv.networkStatus = networkStatus;
    return conv;
}

} // namespace

// What the reader says for a bubble, from the markup the bubble draws: each drawn item in words,
// the rest as plain text.
TEST_F(ListRowFixture, ABubbleIsReadWithItsItemsInWords) {
    const struct {
        const char* name;
        msg_store::Conversation conv;
        bool mmsLabel;
        std::vector<std::string> said;
        std::vector<std::string> unsaid;
    } cases[] = {
        {"mms parts",
         [] {
             msg_store::Conversation conv;
             conv.msgType = "mms";
             conv.folderType = msg_store::FOLDER_INBOX;
             conv.contents = {part(Content::MEDIA_TYPE_TEXT, "hi & <b>bye</b>"),
                              part(Content::MEDIA_TYPE_IMAGE), part(Content::MEDIA_TYPE_VIDEO),
                              part(Content::MEDIA_TYPE_AUDIO),
                              part(Content::MEDIA_TYPE_NONE, "<b>report.pdf", true)};
             return conv;
         }(),
         true,
         {"hi & <b>bye</b>", "Attached image", "Attached video", "Attached audio", "<b>report.pdf",
          " 9:41 AM ", " MMS "},
         {"href", "item"}},
        {"sim",
         message("on SIM two", msg_store::FOLDER_INBOX, 1),
         false,
         {"on SIM two", " 9:41 AM ", " SIM 2 "},
         {"MMS"}},
        {"failed",
         message("lost", msg_store::FOLDER_OUTBOX, 0, msg_store::NETWORK_STATUS_SEND_FAIL),
         false,
         {"lost", " Not sent "},
         {}},
        {"sending",
         message("on its way", msg_store::FOLDER_OUTBOX, 0, msg_store::NETWORK_STATUS_SENDING),
         false,
         {"on its way"},
         {"9:41", "Not sent"}},
    };
    for (const auto& c : cases) {
        MVBubbleMarkup::Input drawn;
        drawn.conv = &c.conv;
        drawn.received = c.conv.folderType == msg_store::FOLDER_INBOX;
        drawn.timeText = "9:41 AM";
        MVBubbleSpeech::Input input;
        input.conv = &c.conv;
        input.timeText = drawn.timeText;
        input.mmsLabel = c.mmsLabel;
        std::string said = MVBubbleSpeech::make(MVBubbleMarkup(genlist).make(drawn), input);
        for (const std::string& words : c.said)
            EXPECT_NE(said.find(words), std::string::npos) << c.name << ": [" << said << "] lacks " << words;
        for (const std::string& words : c.unsaid)
            EXPECT_EQ(said.find(words), std::string::npos) << c.name << ": [" << said << "] has " << words;
    }
}

TEST_F(ListRowFixture, AnItemWithoutItsKindOrOutOfRangeSaysNothing) {
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
