/*
 * The rows above the conversations: one item style, one text for every text
 * part, no check state and nothing to do on a style change.
 */
#ifndef MSG_APP_LIST_MLITEM_MLITEMFIXED_H
#define MSG_APP_LIST_MLITEM_MLITEMFIXED_H

#include "list/MLItem/MLItem.h"

#include <string>

namespace msg_app {
namespace msg_list {

class MLItemFixed : public MLItem {
public:
    // textId: a string id of the "message" domain, or null for a row without text.
    MLItemFixed(const char* itemStyle, const char* textId, Elm_Object_Select_Mode selectMode);

    Elm_Genlist_Item_Class* getItemClassNew() override;
    void onSetElmObjectItem(Elm_Object_Item* item) override;
    bool isChecked() const override { return false; }
    void setCheck(bool) override {}
    void setStyle(ListStyle) override {}

    // The translated text of the row, empty for none.
    std::string getText() const;

protected:
    // The screen reader reads this text, and only this text, for the row.
    static void setAccessDescription(Elm_Object_Item* item, const std::string& description);

private:
    static char* _textGetCb(void* data, Evas_Object* obj, const char* part);

    const char* _itemStyle;
    const char* _textId;
    Elm_Object_Select_Mode _selectMode;
};

} // namespace msg_list
} // namespace msg_app

#endif
