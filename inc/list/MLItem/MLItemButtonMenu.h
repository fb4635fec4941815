/*
 * The row of two round buttons at the top of the list: a new message and the
 * contacts application.
 */
#ifndef MSG_APP_LIST_MLITEM_MLITEMBUTTONMENU_H
#define MSG_APP_LIST_MLITEM_MLITEMBUTTONMENU_H

#include "list/MLItem/MLItem.h"

#include <functional>

namespace msg_app {
namespace msg_list {

class MLItemButtonMenu : public MLItem {
public:
    // The smallest side of a button in the theme's pixels.
    static constexpr int BUTTON_SIZE = 112;

    MLItemButtonMenu() = default;
    ~MLItemButtonMenu() override;

    Elm_Genlist_Item_Class* getItemClassNew() override;
    void onSetElmObjectItem(Elm_Object_Item* item) override;
    Type getType() const override { return BUTTON_MENU; }
    bool isChecked() const override { return false; }
    void setCheck(bool) override {}
    void setStyle(ListStyle style) override;

    void setOnComposeButtonClicked(std::function<void()> callback) { _onCompose = std::move(callback); }
    void setAccessInnerOrder(bool* forcedHighlightOnTop);
    void setAccessPreviousObj(Evas_Object* obj);
    void setAccessNextObj(Evas_Object* obj);
    void setAccessHighlight() {}

    // Null until the genlist asked for them.
    Evas_Object* getComposeButton() const { return _composeButton; }
    Evas_Object* getContactsButton() const { return _contactsButton; }

private:
    Evas_Object* _createButton(Evas_Object* parent, const char* group, const char* nameId,
                               Edje_Signal_Cb clickedCb);
    Evas_Object* _createBase(Evas_Object* parent);
    void _track(Evas_Object*& slot, Evas_Object* obj);
    void _setButtonsEnabled(bool enabled);
    void _onComposeClicked();
    void _onContactsClicked();
    static Evas_Object* _contentGetCb(void* data, Evas_Object* obj, const char* part);
    static void _composeClickedCb(void* data, Evas_Object* obj, const char* emission, const char* source);
    static void _contactsClickedCb(void* data, Evas_Object* obj, const char* emission, const char* source);
    static Eina_Bool _accessActivateCb(void* data, Evas_Object* obj, Elm_Access_Action_Info* info);
    static void _objectDelCb(void* data, Evas* evas, Evas_Object* obj, void* eventInfo);

    ListStyle _style = LIST_STYLE_NORMAL;
    std::function<void()> _onCompose;
    Evas_Object* _composeButton = nullptr;
    Evas_Object* _contactsButton = nullptr;
    Evas_Object* _baseButton = nullptr;
};

} // namespace msg_list
} // namespace msg_app

#endif
