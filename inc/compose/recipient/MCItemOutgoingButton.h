/*
 * The choice of the road a new message leaves by: the paired phone's number
 * or the watch's own. The chosen button is marked; a road that cannot carry
 * the message now is refused with a toast. The row follows the phone link.
 */
#ifndef MSG_APP_COMPOSE_MCITEM_MCITEMOUTGOINGBUTTON_H
#define MSG_APP_COMPOSE_MCITEM_MCITEMOUTGOINGBUTTON_H

#include "compose/MCItem/MCItem.h"
#include "compose/recipient/MCRowWidgets.h"
#include "compose/send/MCOutgoingMgr.h"

namespace msg_app {
namespace compose {

class MCItemOutgoingButton : public MCItem {
public:
    static constexpr const char* CANT_CHANGE_ID = "WDS_MSG_TPOP_CANT_CHANGE_OUTGOING_NUMBER_ABB";

    MCItemOutgoingButton();
    ~MCItemOutgoingButton() override;

    Type getType() const override { return OUTGOING_BUTTON; }
    Elm_Genlist_Item_Class* getItemClassNew() override;
    void onSetElmObjectItem(Elm_Object_Item* item) override;

    // Chooses the default road again and marks its button.
    void updateButtonState();
    // The buttons while the row is realized, else null.
    Evas_Object* getPhoneButton() const { return _phones.latest(); }
    Evas_Object* getWatchButton() const { return _watches.latest(); }

private:
    static Evas_Object* _contentGetCb(void* data, Evas_Object* obj, const char* part);
    static void _phoneClickedCb(void* data, Evas_Object* obj, void* eventInfo);
    static void _watchClickedCb(void* data, Evas_Object* obj, void* eventInfo);
    static void _peerChangedCb(const char* key, void* data);
    Evas_Object* _createContent(Evas_Object* parent);
    Evas_Object* _addButton(Evas_Object* layout, const char* part, const char* image);
    void _choose(SendBy road);
    void _showSelected();
    void _showToast(const char* textId);

    MCRowWidgets _layouts;
    MCRowWidgets _phones;
    MCRowWidgets _watches;
    bool _watching = false;
};

} // namespace compose
} // namespace msg_app

#endif
