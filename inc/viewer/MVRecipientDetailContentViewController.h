/*
 * A number of the conversation that is nobody's contact: the number, a
 * button to create the contact, and buttons to call it (when the watch can
 * call) and to write to it.
 */
#ifndef MSG_APP_VIEWER_MVRECIPIENTDETAILCONTENTVIEWCONTROLLER_H
#define MSG_APP_VIEWER_MVRECIPIENTDETAILCONTENTVIEWCONTROLLER_H

#include "common/ui/MCommonRotaryActivateMgr.h"
#include "view_kit/WContentViewController.h"

#include <memory>
#include <string>

namespace msg_app {
namespace msg_viewer {

class MVRecipientDetailContentViewController : public view_kit::WContentViewController {
public:
    explicit MVRecipientDetailContentViewController(const char* number);
    ~MVRecipientDetailContentViewController() override;

    const char* getClassName() const override { return "MVRecipientDetailContentViewController"; }
    const std::string& getNumber() const { return _number; }
    // The buttons while the page lives (null when not shown).
    Evas_Object* getCallButton() const { return _callButton; }
    Evas_Object* getMessageButton() const { return _messageButton; }
    Evas_Object* getAddContactButton() const { return _addContactButton; }

protected:
    Evas_Object* onCreateView(Evas_Object* parent, void* param) override;
    void onCreated() override;
    void onPushed(Elm_Object_Item* naviItem) override;
    bool onPop() override;

private:
    enum ButtonKind : int {
        BUTTON_CALL = 0,
        BUTTON_MESSAGE = 1,
        BUTTON_ADD_CONTACT = 2,
    };
    Evas_Object* _createName(Evas_Object* parent);
    Evas_Object* _createButtons(Evas_Object* parent);
    Evas_Object* _createButton(Evas_Object* parent, ButtonKind kind);
    void _onButton(ButtonKind kind);
    static bool _isCallAvailable();
    static void _clickedCb(void* data, Evas_Object* obj, const char* emission, const char* source);

    std::string _number;
    Evas_Object* _callButton = nullptr;
    Evas_Object* _messageButton = nullptr;
    Evas_Object* _addContactButton = nullptr;
};

} // namespace msg_viewer
} // namespace msg_app

#endif
