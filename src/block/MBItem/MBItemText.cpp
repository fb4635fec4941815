#include "block/MBItem/MBItemText.h"

#include "common/CommonUiHelper.h"
#include "common/CommonUtil.h"

#include <cstdlib>
#include <cstring>

namespace msg_app {
namespace msg_block {

namespace {
// The subject the store gives a notification of an MMS not yet downloaded.
constexpr const char* MMS_NOTIFICATION_SUBJECT = "MMS Notification Message.";
} // namespace

MBItemText::MBItemText(const std::string& text, TextType textType)
    : MBItem("filtered_list/detailview/body_text"), _text(text), _textType(textType) {}

std::string MBItemText::getText(const char* part) const {
    if (!part || std::string(part) != "elm.text")
        return std::string();
    if (_textType == SUBJECT) {
        if (std::strncmp(_text.c_str(), MMS_NOTIFICATION_SUBJECT, _text.size()) == 0)
            return common_ui_helper::get_text("WDS_MSG_BODY_MMS_NOTIFICATION");
        return toMarkup(_text);
    }
    char* converted = common_util::convert_cr_to_nl(_text.c_str());
    std::string shown = toMarkup(converted ? converted : _text);
    std::free(converted);
    return shown;
}

} // namespace msg_block
} // namespace msg_app
