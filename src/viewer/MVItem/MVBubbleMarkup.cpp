#include "viewer/MVItem/MVBubbleMarkup.h"

#include "common/CommonUiHelper.h"
#include "common/CommonUtil.h"
#include "common/MsgLog.h"
#include "common/ui/MCommonI18n.h"
#include "viewer/media/MVUtility.h"

#include <Elementary.h>

#include <cstdlib>

namespace msg_app {
namespace msg_viewer {

namespace {

constexpr const char* INFO_STYLE = "DEFAULT='font=Sans font_size=20 wrap=mixed text_class=AT0232'";
constexpr const char* ATTACHMENT_STYLE = "DEFAULT='font=Sans font_size=20 text_class=AT0311'";
constexpr const char* MMS_PLACEHOLDER_SUBJECT = "MMS Notification Message.";
constexpr const char* READ_MORE_ID = "WDS_MSG_BODY_TAP_TO_READ_MORE_ABB";
constexpr const char* READ_FROM_START_ID = "WDS_MSG_BODY_TAP_TO_READ_FROM_THE_START_ABB";
constexpr const char* ELLIPSIS = "\xE2\x80\xA6";
// Keeps "2/17" in that order inside a right-to-left sentence.
constexpr const char* LEFT_TO_RIGHT_ISOLATE = "\xE2\x81\xA6";
constexpr const char* POP_DIRECTIONAL_ISOLATE = "\xE2\x81\xA9";
constexpr int SIM_ICON_W = 29;
// Between the failed message's time and the words after it.
constexpr int FAILED_GAP = 6;
constexpr int INFO_H = 32;
// An attachment's row: its file name after the file icon and the gaps around them.
constexpr int ATTACHMENT_ICON_W = 36;
constexpr int ATTACHMENT_H = 32;

std::string itemSize(int w, int h) {
    return "size=" + std::to_string(w) + "x" + std::to_string(h);
}

// The mark of a message on its way, alone on its info line.
std::string sendingMark() {
    return "<align=1.0><item " + itemSize(MVBubbleMarkup::ICON_W, INFO_H) +
           " vsize=full href=info_sending></item></align>";
}

std::string escaped(const std::string& text) {
    char* markup = elm_entry_utf8_to_markup(common_ui_helper::to_layout_safe(text).c_str());
    std::string out = markup ? markup : "";
    free(markup);
    return out;
}

std::string hint(const char* textId) {
    return "<hint>" + escaped(common_ui_helper::get_text(textId)) + "</hint>";
}

} // namespace

MVBubbleMarkup::PartKind MVBubbleMarkup::partKindOf(const msg_store::Content& content) {
    switch (content.mediaType) {
    case msg_store::Content::MEDIA_TYPE_TEXT:
        return PART_TEXT;
    case msg_store::Content::MEDIA_TYPE_IMAGE:
    case msg_store::Content::MEDIA_TYPE_VIDEO:
        return PART_PICTURE;
    case msg_store::Content::MEDIA_TYPE_AUDIO:
        return PART_AUDIO;
    default:
        break;
    }
    // A part the sender labelled only by its MIME type is drawn as that type says.
    switch (get_display_type(content)) {
    case DISPLAY_TEXT:
        return PART_TEXT;
    case DISPLAY_IMAGE:
    case DISPLAY_VIDEO:
        return PART_PICTURE;
    case DISPLAY_AUDIO:
        return PART_AUDIO;
    default:
        return content.isAttachment ? PART_ATTACHMENT : PART_NONE;
    }
}

MVBubbleMarkup::RetrieveType MVBubbleMarkup::getRetrieveType(const msg_store::Conversation& conv,
                                                             bool standalone) {
    int status = conv.networkStatus;
    // Only a message received can be fetched: one we sent is whole on the watch whatever its status.
    if (conv.folderType != msg_store::FOLDER_INBOX && conv.folderType != msg_store::FOLDER_WATCH_INBOX)
        return RETRIEVE_NONE;
    bool watchMsg = standalone && conv.folderType >= msg_store::FOLDER_WATCH_INBOX &&
                    conv.folderType <= msg_store::FOLDER_WATCH_SENT;
    if (watchMsg) {
        if (!isMms(conv))
            return RETRIEVE_NONE;
        return status == msg_store::NETWORK_STATUS_NOT_RETRIEVED ||
                       status == msg_store::NETWORK_STATUS_RETRIEVE_FAIL ||
                       status == msg_store::NETWORK_STATUS_DELIVERED
                   ? RETRIEVE_BY_WATCH
                   : RETRIEVE_NONE;
    }
    return status == msg_store::NETWORK_STATUS_RETRIEVE_FAIL ? RETRIEVE_BY_PHONE : RETRIEVE_NONE;
}

bool MVBubbleMarkup::isOutbox(const msg_store::Conversation& conv, bool standalone) {
    return conv.folderType == msg_store::FOLDER_OUTBOX ||
           (standalone && conv.folderType == msg_store::FOLDER_WATCH_OUTBOX);
}

bool MVBubbleMarkup::hasWatchIcon(const msg_store::Conversation& conv, bool standalone) {
    return standalone && !conv.hideWatchIcon &&
           (conv.folderType == msg_store::FOLDER_WATCH_INBOX ||
            conv.folderType == msg_store::FOLDER_WATCH_SENT);
}

int MVBubbleMarkup::imageItemHeight(int w, int h) {
    if (w <= 0 || h <= 0)
        return IMAGE_UNKNOWN_H;
    // 64-bit, so that a picture of 1 x 10,000 cannot overflow before the cap.
    int64_t height = static_cast<int64_t>(h) * IMAGE_W / w + 12;
    return static_cast<int>(height > IMAGE_MAX_H ? IMAGE_MAX_H : height);
}

std::string MVBubbleMarkup::textBody(const std::string& text) {
    if (text.empty()) {
        MSG_LOGW("empty body text");
        return std::string();
    }
    char* lines = common_util::convert_cr_to_nl(text.c_str());
    std::string out = escaped(lines ? lines : text);
    free(lines);
    return out.empty() ? escaped(text) : out;
}

size_t MVBubbleMarkup::bodyPartCount(const msg_store::Conversation& conv) {
    if (isMms(conv) || conv.text.size() <= BODY_PART_CHARS)
        return 1;
    return common_ui_helper::text_part_starts(conv.text, BODY_PART_CHARS).size();
}

std::string MVBubbleMarkup::_messageBody(const std::string& text, size_t part) {
    if (text.size() <= BODY_PART_CHARS)
        return textBody(text);
    std::vector<size_t> starts = common_ui_helper::text_part_starts(text, BODY_PART_CHARS);
    if (starts.size() == 1)
        return textBody(text);
    size_t index = part % starts.size();
    size_t end = index + 1 < starts.size() ? starts[index + 1] : text.size();
    std::string shown = textBody(text.substr(starts[index], end - starts[index]));
    bool last = index + 1 == starts.size();
    std::string counter, total;
    MCommonI18n::getInstance()->getFormattedNumberText(static_cast<int>(index + 1), counter);
    MCommonI18n::getInstance()->getFormattedNumberText(static_cast<int>(starts.size()), total);
    std::string way = std::string(common_ui_helper::get_text(last ? READ_FROM_START_ID : READ_MORE_ID)) +
                      " " + LEFT_TO_RIGHT_ISOLATE + counter + "/" + total + POP_DIRECTIONAL_ISOLATE;
    return shown + "<br><hint>" + escaped(way) + "</hint>";
}

std::string MVBubbleMarkup::_contentBody(const std::string& text) {
    if (text.size() <= BODY_PART_CHARS)
        return textBody(text);
    std::vector<size_t> starts = common_ui_helper::text_part_starts(text, BODY_PART_CHARS);
    return starts.size() == 1 ? textBody(text) : textBody(text.substr(0, starts[1]) + ELLIPSIS);
}

std::string MVBubbleMarkup::senderLine(const Input& input) {
    if (!input.conv || !input.isGroup || !input.received || input.senderName.empty())
        return std::string();
    return "<sender>" + escaped(input.senderName) + "</sender><br>";
}

std::string MVBubbleMarkup::make(const Input& input) const {
    MSG_RETV_IF(!input.conv, std::string(), "conv is nullptr");
    const msg_store::Conversation& conv = *input.conv;
    std::string out = senderLine(input);
    if (!isMms(conv)) {
        out += _messageBody(conv.text, input.bodyPart);
    } else {
        if (!conv.subject.empty()) {
            out += conv.subject == MMS_PLACEHOLDER_SUBJECT
                       ? escaped(common_ui_helper::get_text("WDS_MSG_BODY_MMS_NOTIFICATION"))
                       : escaped(conv.subject);
            out += "<font_size=1><br><item size=1x18 vsize=full href=separator:1.18></item><br></font_size>";
        }
        if (getRetrieveType(conv, input.standalone) == RETRIEVE_NONE) {
            _appendContents(out, input);
        } else {
            out += conv.text.empty() ? hint("WDS_MSG_NPBODY_NO_CONTENT_ABB") : _contentBody(conv.text);
            out += "<br>" + hint("WDS_MSG_BODY_TAP_HERE_TO_VIEW_MESSAGE");
        }
    }
    out += "<font_size=1><br/></font_size>";
    out += _info(input);
    return out;
}

void MVBubbleMarkup::_appendContents(std::string& out, const Input& input) const {
    const std::vector<msg_store::Content>& contents = input.conv->contents;
    bool first = true;
    for (size_t i = 0; i < contents.size(); ++i) {
        const msg_store::Content& content = contents[i];
        std::string part;
        switch (partKindOf(content)) {
        case PART_TEXT:
            part = _contentBody(content.text);
            break;
        case PART_PICTURE:
            part = _imageContent(content, i);
            break;
        case PART_AUDIO:
            part = "<item size=248x75 vsize=full href=audio:" + std::to_string(i) + "></item>";
            break;
        case PART_ATTACHMENT:
            part = _attachmentContent(content, i);
            break;
        case PART_NONE:
            break;
        }
        if (part.empty())
            continue;
        if (!first)
            out += "<br/>";
        out += part;
        first = false;
    }
    // An MMS whose text came only as its body (no text part).
    if (first)
        out += _contentBody(input.conv->text);
}

std::string MVBubbleMarkup::_imageContent(const msg_store::Content& content, size_t index) const {
    // A video shows only its thumbnail; a picture its own file when it has none.
    bool video = content.mediaType == msg_store::Content::MEDIA_TYPE_VIDEO ||
                 (content.mediaType != msg_store::Content::MEDIA_TYPE_IMAGE &&
                  get_display_type(content) == DISPLAY_VIDEO);
    const std::string& path = !content.thumbnailPath.empty() ? content.thumbnailPath
                              : !video                       ? content.filePath
                                                             : std::string();
    int w = 0, h = 0;
    if (path.empty()) {
        MSG_LOGW("path is empty");
    } else if (_measurer) {
        // Only the file's header is read for its size.
        Evas_Object* image = evas_object_image_add(evas_object_evas_get(_measurer));
        evas_object_image_file_set(image, path.c_str(), nullptr);
        evas_object_image_size_get(image, &w, &h);
        evas_object_del(image);
    }
    int itemH = imageItemHeight(w, h);
    int pictureH = w > 0 && h > 0 ? itemH - 12 : 100;
    return "<item size=" + std::to_string(IMAGE_W) + "x" + std::to_string(itemH) +
           " vsize=full href=image:" + std::to_string(IMAGE_W) + "." + std::to_string(pictureH) + "." +
           std::to_string(index) + "></item>";
}

std::string MVBubbleMarkup::_attachmentContent(const msg_store::Content& content, size_t index) const {
    int nameW = _textWidth(escaped(content.fileName), ATTACHMENT_STYLE);
    int w = (nameW > ATTACHMENT_NAME_MAX_W ? ATTACHMENT_NAME_MAX_W : nameW) + ATTACHMENT_ICON_W;
    return "<item " + itemSize(w, ATTACHMENT_H) + " vsize=full href=attachment:" + std::to_string(index) +
           "></item>";
}

int MVBubbleMarkup::_textWidth(const std::string& text, const char* style) const {
    return _measurer ? common_ui_helper::getTextblockWidth(_measurer, text.c_str(), style) : 0;
}

std::string MVBubbleMarkup::_info(const Input& input) const {
    const msg_store::Conversation& conv = *input.conv;
    int width = 0;
    bool right = input.received == input.rtl;
    if (isOutbox(conv, input.standalone)) {
        if (conv.networkStatus == msg_store::NETWORK_STATUS_SENDING ||
            conv.networkStatus == msg_store::NETWORK_STATUS_SEND_PENDING)
            return sendingMark();
        if (msg_store::isSendFailure(conv.networkStatus))
            return _failedInfo(input, right);
    } else if (input.standalone) {
        if (isMms(conv) && conv.networkStatus == msg_store::NETWORK_STATUS_RETRIEVING)
            return sendingMark();
        if (hasWatchIcon(conv, input.standalone))
            width = ICON_W;
    }
    if (conv.isProtected)
        width += ICON_W;
    if (isMms(conv) && input.showMmsLabel)
        width += _textWidth("MMS", INFO_STYLE) + 6;
    width += _textWidth(escaped(input.timeText), INFO_STYLE);
    if (common_ui_helper::has_sim_index_icon(conv.folderType, conv.simIndex))
        width += SIM_ICON_W;
    return _infoItem("communication_info", width, right);
}

std::string MVBubbleMarkup::_failedInfo(const Input& input, bool right) const {
    // The mark, the time and the words: a failed message reads as one without its colour.
    int width = ICON_W + _textWidth(escaped(input.timeText), INFO_STYLE) + FAILED_GAP +
                _textWidth(escaped(common_ui_helper::get_text(FAILED_TEXT_ID)), INFO_STYLE);
    return _infoItem("info_failed", width, right);
}

std::string MVBubbleMarkup::_infoItem(const char* kind, int width, bool right) {
    std::string size = std::to_string(width);
    return std::string(right ? "<align=1.0>" : "<align=0.0>") + "<item " + itemSize(width, INFO_H) +
           " vsize=full href=" + kind + ":" + size + "." + std::to_string(INFO_H) + "></item></align>";
}

} // namespace msg_viewer
} // namespace msg_app
