/*
 * The composer's popups about sending: the progress popup that turns into a
 * check mark or a failure, the offer to switch between the phone's and the
 * watch's road, the network popups and the SIM-activation popup. The caller
 * attaches what these return.
 */
#ifndef MSG_APP_COMPOSE_MCPOPUP_H
#define MSG_APP_COMPOSE_MCPOPUP_H

#include "compose/MCMsgData.h"
#include "compose/send/MCOutgoingMgr.h"
#include "msg_store/MsgStoreTypes.h"
#include "view_kit/WTimer.h"

#include <Evas.h>

#include <functional>
#include <memory>
#include <string>

namespace msg_app {
class MCommonPopup;
class MCommonProgressPopup;
namespace compose {

class MCPopup {
public:
    static constexpr const char* SENDING_TEXT = "WDS_WNOTI_TPOP_SENDING_ING_ABB";
    static constexpr const char* SENT_TEXT = "WDS_MSG_TPOP_MESSAGE_SENT_ABB2";
    static constexpr const char* SENDING_MESSAGE_ID_PREF = "consumer_preference_int_sending_message_id";
    // Without an answer from the phone by then the sending popup gives up waiting.
    static constexpr double SENDING_TIMEOUT = 10.0;
    static constexpr double RESULT_TIME = 2.0;
    static constexpr double RESULT_TIME_SCREEN_READER = 3.0;

    MCPopup() = delete;

    // Destroying it runs onDestroy; in the send-only process it also ends the process.
    static MCommonProgressPopup* createSendingPopup(std::weak_ptr<view_kit::WTimer>& timer,
                                                    int appControlType, std::function<void()> onDestroy);
    // Replaces the progress by the result of a final status, then closes after a while.
    static void updateSendingPopup(MCommonProgressPopup* popup, msg_store::NetworkStatus status);
    // The string id (or plain text) telling a final status.
    static const char* getStatusText(msg_store::NetworkStatus status);

    static MCommonPopup* createNetworkSwithPopup(MCOutgoingMgr::Error error, int appControlType,
                                                 const std::shared_ptr<MCMsgData>& msg,
                                                 const std::function<void()>& sendingPopupCb,
                                                 std::function<void()> onAccept,
                                                 std::function<void()> onCancel);
    static MCommonPopup* createNetworkNotAvailablePopup(int appControlType,
                                                        const std::shared_ptr<MCMsgData>& msg);
    static MCommonPopup* createHulmNetworkRejectPopup(int appControlType, int& rejectCause,
                                                      const std::shared_ptr<MCMsgData>& msg);
    static MCommonPopup* createHulmSKTSimNotActivatedPopup(int appControlType);
    // The id of the network-not-available text for the watch's state now.
    static const char* getNetworkNotAvailableText(const MCMsgData& msg);
    // The reject text of the carrier, in markup, appended to out.
    static void getRejectCauseText(int rejectCause, int msgType, std::string& out);

private:
    static MCommonPopup* _createNoticePopup(const char* text, int appControlType);
    static void _exitProcess(const char* reason, int appControlType);
};

} // namespace compose
} // namespace msg_app

#endif
