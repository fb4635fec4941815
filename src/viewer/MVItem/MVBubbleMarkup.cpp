#include "viewer/MVItem/MVBubbleMarkup.h"

#include "common/CommonUiHelper.h"
#include "common/CommonUtil.h"
#include "common/MsgLog.h"

#include <Elementary.h>

#include <cstdlib>

namespace msg_app {
namespace msg_viewer {

namespace {

constexpr const char* INFO_STYLE = "DEFAULT='font=Sans font_size=20 wrap=mixed text_class=AT0232'";
constexpr const char* ATTACHMENT_STYLE = "DEFAULT='font=Sans font_size=20 text_class=AT0311'";
constexpr const char* MMS_PLACEHOLDER_SUBJECT = "MMS Notification Message.";
constexpr int SIM_ICON_W = 29;
constexpr int INFO_H = 32;

std::string escaped(const std::string& text) {
    char* markup = elm_entry_utf8_to_markup(text.c_str());
    std::string out = markup ? markup : "";
    free(markup);
    return out;
}

std::string hint(const char* textId) {
    return "<hint>" + escaped(common_ui_helper::get_text(textId)) + "</hint>";
}

bool isPicture(const msg_store::Content& content) {
    return content.mediaType == msg_store::Content::MEDIA_TYPE_IMAGE ||
           content.mediaType == msg_store::Content::MEDIA_TYPE_VIDEO;
}

} // namespace

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

std::string MVBubbleMarkup::make(const Input& input) const {
    MSG_RETV_IF(!input.conv, std::string(), "conv is nullptr");
    const msg_store::Conversation& conv = *input.conv;
    std::string out;
    if (input.isGroup && input.received && !input.senderName.empty())
        out += "<sender>" + escaped(input.senderName) + "</sender><br>";
    if (!isMms(conv)) {
        out += textBody(conv.text);
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
            out += conv.text.empty() ? hint("WDS_MSG_NPBODY_NO_CONTENT_ABB") : textBody(conv.text);
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
        if (content.mediaType == msg_store::Content::MEDIA_TYPE_TEXT)
            part = textBody(content.text);
        else if (isPicture(content))
            part = _imageContent(content, i);
        else if (content.mediaType == msg_store::Content::MEDIA_TYPE_AUDIO)
            part = "<item size=248x75 vsize=full href=audio:" + std::to_string(i) + "></item>";
        else if (content.isAttachment)
            part = _attachmentContent(content, i);
        if (part.empty())
            continue;
        if (!first)
            out += "<br/>";
        out += part;
        first = false;
    }
    // An MMS whose text came only as its body (no text part).
    if (first)
        out += textBody(input.conv->text);
}

std::string MVBubbleMarkup::_imageContent(const msg_store::Content& content, size_t index) const {
    const std::string& path = !content.thumbnailPath.empty() ? content.thumbnailPath
                              : content.mediaType == msg_store::Content::MEDIA_TYPE_IMAGE ? content.filePath
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
    int w = (nameW > ATTACHMENT_NAME_MAX_W ? ATTACHMENT_NAME_MAX_W : nameW) + 36;
    return "<item size=" + std::to_string(w) + "x32 vsize=full href=attachment:" + std::to_string(index) +
           "></item>";
}

int MVBubbleMarkup::_textWidth(const std::string& text, const char* style) const {
    return _measurer ? common_ui_helper::getTextblockWidth(_measurer, text.c_str(), style) : 0;
}

std::string MVBubbleMarkup::_info(const Input& input) const {
    const msg_store::Conversation& conv = *input.conv;
    int width = 0;
    if (isOutbox(conv, input.standalone)) {
        const char* icon = nullptr;
        if (conv.networkStatus == msg_store::NETWORK_STATUS_SENDING ||
            conv.networkStatus == msg_store::NETWORK_STATUS_SEND_PENDING)
            icon = "info_sending";
        else if (msg_store::isSendFailure(conv.networkStatus))
            icon = "info_failed";
        if (icon)
            return "<align=1.0><item size=" + std::to_string(ICON_W) + "x32 vsize=full href=" + icon +
                   "></item></align>";
    } else if (input.standalone) {
        if (isMms(conv) && conv.networkStatus == msg_store::NETWORK_STATUS_RETRIEVING)
            return "<align=1.0><item size=35x32 vsize=full href=info_sending></item></align>";
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
    bool right = input.received == input.rtl;
    std::string size = std::to_string(width);
    return std::string(right ? "<align=1.0>" : "<align=0.0>") + "<item size=" + size + "x" +
           std::to_string(INFO_H) + " vsize=full href=communication_info:" + size + "." +
           std::to_string(INFO_H) + "></item></align>";
}

} // namespace msg_viewer
} // namespace msg_app
