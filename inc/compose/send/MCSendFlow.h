/*
 * The composer's send flow, one for the body screen and for the processes
 * that send a launch request's message at once: the pages question of a long
 * text, the network check and its popups, the send, and the sending popup
 * that follows the stored message to its end. The host page shows the
 * popups and owns the flow; it is told once how each send ended.
 *
 * One send makes each message once: while a send is under way, and after a
 * message went out, send() does nothing. A send that fails leaves the text in
 * the record for another try, and the next message that goes out replaces the
 * failed copy in the conversation.
 */
#ifndef MSG_APP_COMPOSE_MCSENDFLOW_H
#define MSG_APP_COMPOSE_MCSENDFLOW_H

#include "common/MCommonMsgStore.h"
#include "common/MCommonStoreSubscription.h"
#include "compose/MCMsgData.h"
#include "view_kit/WTimer.h"
#include "view_kit/WViewController.h"

#include <Evas.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace msg_app {
class MCommonProgressPopup;
namespace compose {

class MCSendFlow {
public:
    enum class Result {
        SENT,   // on its way: delivered, held by the watch until service returns, or not followed
        FAILED, // nothing went out, or the message failed: the record keeps the text to send
    };
    using OnEnd = std::function<void(Result)>;

    static constexpr const char* COULDNT_SEND_ID = "WDS_MSG_TPOP_COULDNT_SEND_MESSAGE_ABB";
    static constexpr const char* WILL_BE_SENT_ID =
        "WDS_MSG_TPOP_MESSAGE_WILL_BE_SENT_WHEN_SERVICE_BECOMES_AVAILABLE_ABB";

    // host outlives the flow; appControlType is the process's kind, which the sending popup follows.
    MCSendFlow(view_kit::WViewController* host, std::shared_ptr<MCMsgData> msg, AppControlType appControlType,
               OnEnd onEnd);
    ~MCSendFlow();
    MCSendFlow(const MCSendFlow&) = delete;
    MCSendFlow& operator=(const MCSendFlow&) = delete;

    // Follows the store's changes from now on; called before sending, so that the store's answer to
    // a message is never missed, however fast it comes.
    bool subscribe();
    // Sends the record's message, asking first when its text fills several messages.
    void send();
    // A message went out (or is being sent): the text is no longer the user's to lose.
    bool isHandedOver() const { return _state == SENDING || _state == DONE; }

private:
    enum State {
        IDLE,
        ASKING,  // a question is open: the pages, or the network's
        SENDING, // the messages are stored and followed
        TELLING, // a failure is being told; then the flow is idle again
        DONE,
    };

    void _askPages(int smsPages, int mmsPages);
    void _checkNetworkAndSend();
    void _sendPages();
    bool _accepted(int result);
    void _replaceFailedCopy();
    void _onAllSent();
    void _showSendingPopup();
    void _onSendingPopupGone();
    void _fail(const char* toastId);
    void _showToast(const char* textId, Result result);
    void _end(Result result);
    void _setPage(size_t index);
    std::string _unsentText() const;
    bool _attachQuestion(view_kit::WViewController* popup);
    void _forgetQuestion();
    bool _lastSendFailed();
    // Runs fn only while the flow lives: popups may outlive it by a main-loop turn.
    std::function<void()> _guard(std::function<void(MCSendFlow&)> fn) const;
    static void _questionGoneCb(void* data, Evas* e, Evas_Object* obj, void* eventInfo);

    view_kit::WViewController* _host;
    std::shared_ptr<MCMsgData> _msg;
    AppControlType _appControlType;
    OnEnd _onEnd;
    State _state = IDLE;
    std::vector<std::string> _pages;
    size_t _nextPage = 0;
    bool _textOnly = true;
    bool _groupMms = false;
    bool _heldByWatch = false;
    int _failedMsgId = 0;
    std::string _text; // the whole text of the send under way
    Evas_Object* _question = nullptr;
    std::weak_ptr<MCommonProgressPopup> _sendingPopup;
    std::weak_ptr<view_kit::WTimer> _resultTimer;
    std::weak_ptr<view_kit::WTimer> _retailTimer;
    MCommonMsgStore _store;
    MCommonStoreSubscription _subscription;
    std::shared_ptr<MCSendFlow*> _alive;
};

} // namespace compose
} // namespace msg_app

#endif
