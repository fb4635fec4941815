// First: it opens the accessibility API before Elementary is included.
#include "common/popup/AccessApi.h"

#include "viewer/MVItem/MVBubbleSpeech.h"

#include "common/CommonUiHelper.h"
#include "common/CommonUtil.h"
#include "common/MCommonNumberSync.h"
#include "common/MsgLog.h"
#include "viewer/MVItem/MVBubbleMarkup.h"
#include "viewer/MVItem/MVItemBubble.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <regex>

namespace msg_app {
namespace msg_viewer {

namespace {
constexpr const char* ITEM_OPEN = "<item";
constexpr const char* ITEM_CLOSE = "/item>";
constexpr size_t SIM_TEXT_MAX_BYTES = 32;

// The content an item's href points at: its last number.
const msg_store::Content* contentOf(const std::string& numbers, const msg_store::Conversation& conv) {
    size_t dot = numbers.rfind('.');
    std::string last = dot == std::string::npos ? numbers : numbers.substr(dot + 1);
    if (last.empty() || last.find_first_not_of("0123456789") != std::string::npos || last.size() > 6)
        return nullptr;
    size_t index = std::stoul(last);
    return index < conv.contents.size() ? &conv.contents[index] : nullptr;
}

std::string spaced(const std::string& text) {
    return " " + text + " ";
}
} // namespace

std::string MVBubbleSpeech::make(const std::string& markup, const Input& input) {
    std::string plainMarkup;
    size_t pos = 0;
    while (pos < markup.size()) {
        size_t open = markup.find(ITEM_OPEN, pos);
        if (open == std::string::npos) {
            plainMarkup.append(markup, pos, std::string::npos);
            break;
        }
        plainMarkup.append(markup, pos, open - pos);
        // An item left open ends at its tag: the text engine would read it as an object mark.
        size_t close = markup.find(ITEM_CLOSE, open);
        if (close != std::string::npos)
            close += strlen(ITEM_CLOSE);
        else if ((close = markup.find('>', open)) != std::string::npos)
            ++close;
        else
            close = markup.size();
        // Words are text: what they hold must not turn into markup.
        char* escaped =
            elm_entry_utf8_to_markup(_spokenItem(markup.substr(open, close - open), input).c_str());
        if (escaped)
            plainMarkup += escaped;
        free(escaped);
        pos = close;
    }
    char* plain = elm_entry_markup_to_utf8(plainMarkup.c_str());
    std::string out = plain ? plain : "";
    free(plain);
    return out;
}

std::string MVBubbleSpeech::_spokenItem(const std::string& element, const Input& input) {
    static const std::regex HREF(".+href=([^<>/:]+):?([0-9.]+)?");
    std::smatch match;
    // Only the opening tag names the item.
    std::string tag = element.substr(0, element.find('>'));
    if (!input.conv || !std::regex_search(tag, match, HREF)) {
        MSG_LOGE("Invalid markup tag.");
        return std::string();
    }
    const std::string kind = match[1].str();
    const msg_store::Content* content = contentOf(match[2].str(), *input.conv);
    if (kind == "image") {
        bool video = content && content->mediaType == msg_store::Content::MEDIA_TYPE_VIDEO;
        return common_ui_helper::get_text(video ? "IDS_MSG_BODY_ATTACHED_VIDEO"
                                                : "IDS_MSG_BODY_ATTACHED_IMAGE");
    }
    if (kind == "audio")
        return common_ui_helper::get_text("IDS_MSG_BODY_ATTACHED_AUDIO");
    if (kind == "attachment")
        return content ? content->fileName : std::string();
    if (kind == "communication_info")
        return _spokenInfo(input);
    if (kind == "info_failed")
        return spaced(common_ui_helper::get_text(MVBubbleMarkup::FAILED_TEXT_ID));
    // The sending mark and the line under a sender's name say nothing.
    return std::string();
}

std::string MVBubbleSpeech::_spokenInfo(const Input& input) {
    const msg_store::Conversation& conv = *input.conv;
    std::string out = spaced(input.timeText);
    if (input.mmsLabel)
        out += " MMS ";
    if (common_ui_helper::has_sim_index_icon(conv.folderType, conv.simIndex)) {
        char sim[SIM_TEXT_MAX_BYTES] = {};
        snprintf(sim, sizeof(sim), common_ui_helper::get_text("WDS_ACCS_TBOPT_SIMPD"), conv.simIndex + 1);
        out += spaced(sim);
    } else if (MVBubbleMarkup::hasWatchIcon(conv, input.standalone)) {
        out += spaced(common_ui_helper::get_text("WDS_ACCS_TBOPT_HULM_NUMBER"));
    }
    return out;
}

void MVBubbleSpeech::describe(const MVItemBubble& bubble, const std::string& markup) {
    Elm_Object_Item* item = bubble.getElmObjectItem();
    if (!MVItem::isReaderOn() || !item || !bubble.getConv())
        return;
    Input input;
    input.conv = bubble.getConv().get();
    input.timeText = bubble.getTimeText();
    input.standalone = common_util::is_sta_enabled();
    input.mmsLabel = bubble.isMms() && !MCommonNumberSync::getInstance()->isSalescodeSupported();
    efl_access_object_reading_info_type_set(item, EFL_ACCESS_READING_INFO_TYPE_DESCRIPTION);
    efl_access_object_description_set(item, make(markup, input).c_str());
}

} // namespace msg_viewer
} // namespace msg_app
