/*
 * What the user does on a conversation, apart from select mode: reply, call,
 * add the contact, the recipients, show on phone, export, send my location,
 * block and unblock from the option panel; the double tap's text size; and
 * what a bubble asks for (resend, retrieve, links, pictures and files). The
 * conversation view owns it and hands it to each bubble; the rows reach the
 * store, other applications and popups only through it.
 */
#ifndef MSG_APP_VIEWER_MVCONVERSATIONACTIONS_H
#define MSG_APP_VIEWER_MVCONVERSATIONACTIONS_H

#include "viewer/MVContentOpener.h"
#include "viewer/MVItem/IMVBubbleActions.h"
#include "viewer/MVLinkOpener.h"
#include "viewer/MVMessageResend.h"
#include "viewer/MVMessageRetrieve.h"

#include <functional>
#include <memory>
#include <string>

namespace view_kit {
class WTimer;
}

namespace msg_app {
namespace msg_viewer {

class MVListModel;
class MVListViewController;
class MVOptionMgr;

class MVConversationActions : public IMVBubbleActions {
public:
    // list: the conversation acted on, which owns this, and model its messages; store: the screen
    // owner's, for the files a bubble asks of the phone. alive: expires with the list's view, for
    // answers of other applications. leaveSelectMode: ends select mode once its action is done.
    MVConversationActions(MVListViewController& list, MVListModel& model, MCommonMsgStore& store,
                          std::weak_ptr<bool> alive, std::function<void()> leaveSelectMode);
    ~MVConversationActions() override;
    MVConversationActions(const MVConversationActions&) = delete;
    MVConversationActions& operator=(const MVConversationActions&) = delete;

    // The screen's option panel, which this fills; it may go before the conversation does.
    void setOptionMgr(std::weak_ptr<MVOptionMgr> options) { _options = std::move(options); }
    MVOptionMgr* getOptionMgr() const { return _options.lock().get(); }
    // The panel's entries for the conversation, or for the checked messages in select mode.
    void createThreadOptions();

    // Every action of MVListViewController::Action but deleting and select mode; false for those.
    bool doAction(int action);
    // The reply through the input selector; slide: the rotary's slide-in effect.
    bool reply(bool slide);
    bool isSupportReply() const;
    std::string firstAddress() const;

    // The body's text size: the user's, or the large one a double tap chose.
    void initFontSize();
    void toggleFontSize(int y);
    void applyUserFontSize();
    // The body text goes back to the user's size for the other screens.
    void restoreFontSize();

    bool resendMessage(MVItemBubble& bubble, std::function<void(bool sent)> done) override;
    void retrieveMessage(MVItemBubble& bubble) override;
    void openLink(MVItemBubble& bubble, const char* anchor) override;
    void openContent(MVItemBubble& bubble, int index) override;
    void openAttachment(const std::string& path) override;

private:
    friend class MVConversationActionsTestPeer;

    void _onThreadOption(int option);
    void _onMsgOption(int option);
    void _call();
    void _addContact();
    void _showRecipients();
    void _showOnPhone();
    void _exportToPhone();
    void _sendLocation();
    void _onLocationPicked(const std::string& link);
    void _block(bool block);
    // Shown once a popup the action came from has gone.
    void _showToast(const char* textId);

    MVListViewController& _list;
    MVListModel& _model;
    std::weak_ptr<bool> _alive;
    std::function<void()> _leaveSelectMode;
    std::weak_ptr<MVOptionMgr> _options;
    MVMessageResend _resend;
    MVMessageRetrieve _retrieve;
    MVContentOpener _contentOpener;
    MVLinkOpener _linkOpener;
    int _fontSize = 0;
    bool _fontSizeLogged = false;
    std::weak_ptr<view_kit::WTimer> _toastIdler;
};

} // namespace msg_viewer
} // namespace msg_app

#endif
