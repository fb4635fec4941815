/*
 * The Next button at the bottom of the recipient screen, enabled while there
 * is a recipient.
 */
#ifndef MSG_APP_COMPOSE_MCITEM_MCITEMRCPTNEXTBUTTON_H
#define MSG_APP_COMPOSE_MCITEM_MCITEMRCPTNEXTBUTTON_H

#include "compose/MCItem/MCItem.h"
#include "compose/recipient/MCRowWidgets.h"

#include <functional>

namespace msg_app {
namespace compose {

class MCItemRcptNextButton : public MCItem {
public:
    static constexpr const char* TEXT_ID = "WDS_MSG_ACBUTTON_NEXT";

    Type getType() const override { return RCPT_NEXT_BUTTON; }
    Elm_Genlist_Item_Class* getItemClassNew() override;
    void onSetElmObjectItem(Elm_Object_Item* item) override;

    void setButtonEnable(bool enable);
    bool isButtonEnabled() const { return _enabled; }
    void setOnClicked(std::function<void()> cb) { _onClicked = std::move(cb); }
    // The button while the row is realized, else null.
    Evas_Object* getButton() const { return _buttons.latest(); }

private:
    static Evas_Object* _contentGetCb(void* data, Evas_Object* obj, const char* part);
    static void _clickedCb(void* data, Evas_Object* obj, void* eventInfo);
    Evas_Object* _createButton(Evas_Object* parent);

    MCRowWidgets _buttons;
    bool _enabled = false;
    std::function<void()> _onClicked;
};

} // namespace compose
} // namespace msg_app

#endif
