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
    static constexpr const char* NO_RECIPIENT_SCREEN_ID = "WDS_MSG_BODY_CHOOSE_RECIPIENT_FIRST_ABB";

    // Makes the recipient screen for a record without recipients; once they are chosen it fills
    // msg->recipient and pushes createBodyScreen(msg, handle).
    using RecipientScreenFactory = std::function<view_kit::WContentViewController*(
        std::shared_ptr<MCMsgData> msg, app_control_h handle)>;

    MCComposerOpener() = delete;

    static void setRecipientScreenFactory(RecipientScreenFactory factory);
    // A new page, not yet pushed.
    static view_kit::WContentViewController* createComposer(std::shared_ptr<MCMsgData>& msg,
                                                            app_control_h handle);
    // The recipient screen whose Next goes on to the body screen of msg.
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
