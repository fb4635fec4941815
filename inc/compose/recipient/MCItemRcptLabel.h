/*
 * The recipient row: the guide or the recipient's name, with the contacts
 * button while it is empty and the remove button once it holds a number. A
 * tap opens the recipient entry (through the owner's callback); the contacts
 * button asks the device's contacts picker for a number.
 */
#ifndef MSG_APP_COMPOSE_MCITEM_MCITEMRCPTLABEL_H
#define MSG_APP_COMPOSE_MCITEM_MCITEMRCPTLABEL_H

#include "app_control.h"
#include "common/AppIds.h"
#include "compose/MCItem/MCItem.h"
#include "compose/recipient/MCRowWidgets.h"

#include <functional>
#include <memory>
#include <string>

namespace msg_app {
class MCommonAddr;
namespace compose {

class MCItemRcptLabel : public MCItem {
public:
    static constexpr const char* GUIDE_ID = "WDS_MSG_NPBODY_ENTER_RECIPIENT_ABB";
    static constexpr const char* UNKNOWN_ID = "WDS_WNOTI_HEADER_UNKNOWN_M_SENDER";
    static constexpr const char* CONTACTS_APP_ID = app_id::CONTACTS_APPCONTROL;
    static constexpr const char* SELECTED_KEY = "data_selected";

    ~MCItemRcptLabel() override;

    Type getType() const override { return RCPT_LABEL; }
    Elm_Genlist_Item_Class* getItemClassNew() override;
    void onSelect(Elm_Object_Item* item) override;

    // Null or empty clears the recipient.
    void setAddr(const char* address);
    // The recipient's number, empty when there is none.
    const char* getAddr() const;
    bool getAddr(std::shared_ptr<MCommonAddr>& out) const;
    // Reads the name again (language or contacts changed).
    void refresh();

    void setOnLabelClicked(std::function<void()> cb) { _onLabelClicked = std::move(cb); }
    // Told whether a recipient is present after every change.
    void setOnLabelTextChanged(std::function<void(bool)> cb) { _onTextChanged = std::move(cb); }
    // The contacts or remove button while the row is realized, else null.
    Evas_Object* getButton() const { return _buttons.latest(); }

private:
    static char* _textGetCb(void* data, Evas_Object* obj, const char* part);
    static Evas_Object* _contentGetCb(void* data, Evas_Object* obj, const char* part);
    static void _buttonClickedCb(void* data, Evas_Object* obj, void* eventInfo);
    Evas_Object* _createButton(Evas_Object* parent);
    void _update();
    void _launchContactPicker();
    void _onPickerReply(app_control_h reply, app_control_result_e result);
    void _showToast(const char* textId);

    std::shared_ptr<MCommonAddr> _addr;
    std::string _displayName;
    MCRowWidgets _buttons;
    std::function<void()> _onLabelClicked;
    std::function<void(bool)> _onTextChanged;
    // Ends with the row, so that a late picker reply does not reach a freed row.
    std::shared_ptr<bool> _alive = std::make_shared<bool>(true);
};

} // namespace compose
} // namespace msg_app

#endif
