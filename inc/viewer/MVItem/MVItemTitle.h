/*
 * The conversation's name at the top of the conversation, above its oldest
 * message, in the accent colour.
 */
#ifndef MSG_APP_VIEWER_MVITEM_MVITEMTITLE_H
#define MSG_APP_VIEWER_MVITEM_MVITEMTITLE_H

#include "viewer/MVItem/MVItemFixed.h"

namespace msg_app {
namespace msg_viewer {

class MVItemTitle : public MVItemFixed {
public:
    explicit MVItemTitle(int threadId);

    Type getType() const override { return TITLE; }
    void onSetElmObjectItem(Elm_Object_Item* item) override;
    std::string getText() const override;

private:
    int _threadId;
};

} // namespace msg_viewer
} // namespace msg_app

#endif
