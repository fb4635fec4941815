/*
 * The body screen: the message to known recipients, its counter and Send,
 * optionally the phone and watch buttons above it; a tap on the text opens
 * the full-screen editor. Sending follows the message until the store
 * reports it; a send that fails leaves the screen and its text for another
 * try. Leaving with an unsent text asks first.
 */
#ifndef MSG_APP_COMPOSE_BODY_MCBODYCONTENTVIEWCONTROLLER_H
#define MSG_APP_COMPOSE_BODY_MCBODYCONTENTVIEWCONTROLLER_H

#include "app_control.h"
#include "common/IMCommonAppEventListener.h"
#include "common/LaunchRequest.h"
#include "common/ui/MCommonRotaryActivateMgr.h"
#include "compose/MCMsgData.h"
#include "compose/send/MCSendFlow.h"
#include "view_kit/WContentViewController.h"
#include "view_kit/WJob.h"

#include <memory>
#include <string>

namespace msg_app {
namespace compose {

class MCItemBody;
class MCItemBodyOutgoingButton;

class MCBodyContentViewController : public view_kit::WContentViewController, public IMCommonAppEventListener {
public:
    static constexpr const char* NAME = "compose_body";
    static constexpr const char* ACCESS_NAME_ID = "WDS_MSG_NPBODY_ENTER_MESSAGE_ABB";
    static constexpr const char* MAX_CHARACTERS_ID = "IDS_MSGF_POP_MAXIMUM_CHARACTERS";
    static constexpr const char* DISCARD_ID = "WDS_MSG_POP_DISCARD_MESSAGE_Q";

    // handle is the launch request that opened the composer (cloned); null inside the messaging
    // application, whose process goes on when the composer is done.
    MCBodyContentViewController(std::shared_ptr<MCMsgData>& msgData, app_control_h handle);
    const char* getClassName() const override { return "MCBodyContentViewController"; }

    void appEventListener(MCommonAppEventType type) override;

    Evas_Object* getGenlist() const { return _genlist; }
    MCItemBody* getBodyItem() const { return _bodyItem; }
    MCItemBodyOutgoingButton* getOutgoingButtons() const { return _outgoingButtons.get(); }
    const std::shared_ptr<MCMsgData>& getMsgData() const { return _msg; }

protected:
    Evas_Object* onCreateView(Evas_Object* parent, void* param) override;
    void onCreated() override;
    void onPushed(Elm_Object_Item* naviItem) override;
    bool onPop() override;
    void onDestroy() override;

private:
    static bool _isSendPathSelectable();
    bool _createGenlist(Evas_Object* parent);
    void _appendItems();
    void _appendPadding(const char* style);
    bool _wasLaunchTextCut() const;
    void _showToast(const char* textId);
    void _showDiscardPopup();
    void _finish();
    void _onBodyClicked(MsgType msgType);

    void _onSendClicked();
    void _onSendEnded(MCSendFlow::Result result);

    static void _scrollCb(void* data, Evas_Object* obj, void* eventInfo);

    std::shared_ptr<MCMsgData> _msg;
    LaunchRequest _handle;
    Evas_Object* _layout = nullptr;
    Evas_Object* _genlist = nullptr;
    MCItemBody* _bodyItem = nullptr; // owned by its genlist row
    std::unique_ptr<MCItemBodyOutgoingButton> _outgoingButtons;
    std::unique_ptr<MCommonRotaryActivateMgr::Item> _rotaryItem;
    std::unique_ptr<MCSendFlow> _flow;
    bool _leaving = false;
    bool _reducedLimit = false;
    bool _destroyed = false;
    view_kit::WJob _popJob;
};

} // namespace compose
} // namespace msg_app

#endif
