/*
 * Room under the last row, so that the end of the conversation can scroll up
 * to the middle of the round screen.
 */
#ifndef MSG_APP_VIEWER_MVITEM_MVITEMBOTTOMPADDING_H
#define MSG_APP_VIEWER_MVITEM_MVITEMBOTTOMPADDING_H

#include "viewer/MVItem/MVItemFixed.h"

namespace msg_app {
namespace msg_viewer {

class MVItemBottomPadding : public MVItemFixed {
public:
    MVItemBottomPadding() : MVItemFixed("message.bottom_padding") {}
    Type getType() const override { return BOTTOM_PADDING; }
};

} // namespace msg_viewer
} // namespace msg_app

#endif
