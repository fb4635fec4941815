#include "viewer/MVItem/MVItemTitle.h"

#include "common/view/MCommonConvTitle.h"
#include "qel.h"

namespace msg_app {
namespace msg_viewer {

MVItemTitle::MVItemTitle(int threadId) : MVItemFixed("message.title"), _threadId(threadId) {}

void MVItemTitle::onSetElmObjectItem(Elm_Object_Item* item) {
    MVItemFixed::onSetElmObjectItem(item);
    qel_theme_object_item_replace_color(item, "T012", "AT017");
}

std::string MVItemTitle::getText() const {
    // Plain text: the row escapes what it shows.
    return MCommonConvTitle::get(_threadId);
}

} // namespace msg_viewer
} // namespace msg_app
