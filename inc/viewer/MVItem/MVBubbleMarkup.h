/*
 * The markup of one bubble: the message's texts escaped (never markup of
 * their own), its pictures, sounds and files as sized items, and the status
 * line as a last item. The bubble's text widget draws the items.
 */
#ifndef MSG_APP_VIEWER_MVITEM_MVBUBBLEMARKUP_H
#define MSG_APP_VIEWER_MVITEM_MVBUBBLEMARKUP_H

#include "msg_store/Conversation.h"

#include <Evas.h>

#include <string>

namespace msg_app {
namespace msg_viewer {

class MVBubbleMarkup {
public:
    // Width of a picture in a bubble, and the tallest picture row it may make: a taller picture
    // is drawn smaller within the row, so that a bubble with a line or two of text, the picture
    // and its status line rests whole inside the round screen.
    static constexpr int IMAGE_W = 240;
    static constexpr int IMAGE_MAX_H = 130;
    // A picture whose size cannot be read.
    static constexpr int IMAGE_UNKNOWN_H = 112;
    static constexpr int ICON_W = 35;
    static constexpr int ATTACHMENT_NAME_MAX_W = 204;
    // The most characters of a text laid out in one bubble. A longer message text is shown a part
    // at a time, and a tap shows the next part; a longer MMS text part is cut with an ellipsis.
    // Laid out at the largest text size, a part stays well within the height a text object draws.
    static constexpr size_t BODY_PART_CHARS = 1000;
    // What a message that was not sent says beside its time.
    static constexpr const char* FAILED_TEXT_ID = "WDS_MSG_TPOP_SENDING_FAILED_ABB";

    enum RetrieveType : int {
        RETRIEVE_NONE = 0,
        RETRIEVE_BY_WATCH = 1, // an MMS the watch itself has not fetched yet
        RETRIEVE_BY_PHONE = 2, // an MMS the paired phone has not fetched yet
    };

    // How a part of an MMS is drawn.
    enum PartKind : int {
        PART_NONE = 0,
        PART_TEXT,
        PART_PICTURE, // a picture or a video
        PART_AUDIO,
        PART_ATTACHMENT,
    };

    struct Input {
        const msg_store::Conversation* conv = nullptr;
        bool received = false;
        bool rtl = false;
        bool standalone = false;
        bool showMmsLabel = true;
        // A message of a conversation with several people: received ones name their sender.
        bool isGroup = false;
        std::string timeText;
        // The sender's name, shown first in a received group message; empty for none.
        std::string senderName;
        // Which part of a long message text is shown (see bodyPartCount); counted round.
        size_t bodyPart = 0;
    };

    // measurer: any object of the canvas the bubble is drawn on (for text and picture sizes).
    explicit MVBubbleMarkup(Evas_Object* measurer) : _measurer(measurer) {}

    // The whole text: the sender line (senderLine), then the message and its status line.
    std::string make(const Input& input) const;
    // The line naming a group message's sender, empty for none. It begins the text and is never
    // searched for links: a name is not a number to call.
    static std::string senderLine(const Input& input);

    static RetrieveType getRetrieveType(const msg_store::Conversation& conv, bool standalone);
    static bool isMms(const msg_store::Conversation& conv) { return conv.msgType == "mms"; }
    static bool isOutbox(const msg_store::Conversation& conv, bool standalone);
    // Whether the watch mark shows: the watch's own message, unless the store hides it.
    static bool hasWatchIcon(const msg_store::Conversation& conv, bool standalone);
    // The height of a picture row for a picture of w x h, capped; IMAGE_UNKNOWN_H without a size.
    static int imageItemHeight(int w, int h);
    // By the part's media type, else by its MIME type; other files only when attached.
    static PartKind partKindOf(const msg_store::Content& content);
    // A message text (or MMS text part) as markup; empty for an empty text.
    static std::string textBody(const std::string& text);
    // How many parts a message's text is shown in: 1 unless it is a text message longer than
    // BODY_PART_CHARS.
    static size_t bodyPartCount(const msg_store::Conversation& conv);

private:
    // The shown part of a message text, with the way on to the next part when there are several.
    static std::string _messageBody(const std::string& text, size_t part);
    // An MMS text part, cut at one part's length.
    static std::string _contentBody(const std::string& text);
    void _appendContents(std::string& out, const Input& input) const;
    std::string _imageContent(const msg_store::Content& content, size_t index) const;
    std::string _attachmentContent(const msg_store::Content& content, size_t index) const;
    std::string _info(const Input& input) const;
    std::string _failedInfo(const Input& input, bool right) const;
    // The status line's item: kind is its href token, aligned to the bubble's outer side.
    static std::string _infoItem(const char* kind, int width, bool right);
    int _textWidth(const std::string& text, const char* style) const;

    Evas_Object* _measurer;
};

} // namespace msg_viewer
} // namespace msg_app

#endif
