/*
 * The first page of a new message: the phone/watch choice where the watch
 * can send on its own, the recipient and Next. Next checks the recipient and
 * hands it to the owner's callback, or else asks the device's input selector
 * for the text, which answers the composer's own process.
 */
#ifndef MSG_APP_COMPOSE_MCRECIPIENTCONTENTVIEWCONTROLLER_H
#define MSG_APP_COMPOSE_MCRECIPIENTCONTENTVIEWCONTROLLER_H

#include "common/AppIds.h"
#include "common/IMCommonAppEventListener.h"
#include "view_kit/WContentViewController.h"

#include <functional>
#include <string>

namespace msg_app {
namespace compose {

class MCItem;
class MCItemRcptLabel;
class MCItemRcptNextButton;

class MCRecipientContentViewController : public view_kit::WContentViewController,
                                         public IMCommonAppEventListener {
public:
    static constexpr const char* NAME = "compose_rcpt";
    static constexpr const char* INPUT_SELECTOR_APP_ID = app_id::INPUT_SELECTOR;
    static constexpr const char* COMPOSE_APP_ID = app_id::COMPOSE;
    static constexpr const char* INVALID_RECIPIENT_ID = "WDS_MSG_TPOP_INVALID_RECIPIENT_M_ENTER";
    static constexpr const char* COULDNT_OPEN_ID = "WDS_MSG_TPOP_COULDNT_OPEN_KEYBOARD_ABB";

    // address: the recipient to start with, or null.
    explicit MCRecipientContentViewController(const char* address = nullptr);
    ~MCRecipientContentViewController() override;

    const char* getClassName() const override { return "MCRecipientContentViewController"; }
    // Next then hands the recipient to cb instead of the input selector.
    void setOnNextButtonClicked(std::function<void(const char*)> cb) { _onNext = std::move(cb); }
    void appEventListener(MCommonAppEventType type) override;

protected:
    Evas_Object* onCreateView(Evas_Object* parent, void* param) override;

private:
    static bool _isOutgoingButtonOffered();
    void _appendItem(MCItem* item);
    void _onLabelClickCb();
    void _onNextButtonClicked();
    void _launchInputSelector(const std::string& address);
    void _showToast(const char* textId);

    Evas_Object* _genlist = nullptr;
    MCItemRcptLabel* _label = nullptr;
    MCItemRcptNextButton* _next = nullptr;
    std::string _initialAddr;
    std::function<void(const char*)> _onNext;
};

} // namespace compose
} // namespace msg_app

#endif
