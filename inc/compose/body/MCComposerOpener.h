/*
 * The first page of a composer opened for a message record: the body screen
 * when the record names its recipients, otherwise the recipient screen, which
 * goes on to the body screen once they are chosen.
 */
#ifndef MSG_APP_COMPOSE_BODY_MCCOMPOSEROPENER_H
#define MSG_APP_COMPOSE_BODY_MCCOMPOSEROPENER_H

#include "app_control.h"
#include "compose/MCMsgData.h"
#include "view_kit/WContentViewController.h"

#include <functional>
#include <memory>

namespace msg_app {
namespace compose {

class MCComposerOpener {
public:
    // Makes the recipient screen for a record without recipients; once they are chosen it fills
    // msg->recipient and pushes createBodyScreen(msg, handle).
    using RecipientScreenFactory = std::function<view_kit::WContentViewController*(
        std::shared_ptr<MCMsgData> msg, app_control_h handle)>;

    MCComposerOpener() = delete;

    static void setRecipientScreenFactory(RecipientScreenFactory factory);
    // A new page, not yet pushed; null when the request cannot be kept for the body screen (the
    // caller shows the composer's error popup instead).
    static view_kit::WContentViewController* createComposer(std::shared_ptr<MCMsgData>& msg,
                                                            app_control_h handle);
    // The recipient screen whose Next goes on to the body screen of msg; null as above.
    static view_kit::WContentViewController* createRecipientScreen(std::shared_ptr<MCMsgData>& msg,
                                                                   app_control_h handle);
    static view_kit::WContentViewController* createBodyScreen(std::shared_ptr<MCMsgData>& msg,
                                                              app_control_h handle);

private:
    static RecipientScreenFactory& _recipientScreenFactory();
};

} // namespace compose
} // namespace msg_app

#endif
