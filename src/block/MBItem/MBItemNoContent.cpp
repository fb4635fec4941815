#include "block/MBItem/MBItemNoContent.h"

#include "common/CommonUiHelper.h"

namespace msg_app {
namespace msg_block {

MBItemNoContent::MBItemNoContent() : MBItem("filtered_list/detailview/body_text_no_content") {}

std::string MBItemNoContent::getText(const char* part) const {
    if (!part || std::string(part) != "elm.text")
        return std::string();
    return common_ui_helper::get_text("WDS_MSG_NPBODY_NO_CONTENT_ABB");
}

} // namespace msg_block
} // namespace msg_app
