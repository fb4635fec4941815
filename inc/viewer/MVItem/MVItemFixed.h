/*
 * A row that only shows: one item style and at most one line of text, no
 * check state, nothing to do in select mode.
 */
#ifndef MSG_APP_VIEWER_MVITEM_MVITEMFIXED_H
#define MSG_APP_VIEWER_MVITEM_MVITEMFIXED_H

#include "viewer/MVItem/MVItem.h"

#include <string>

namespace msg_app {
namespace msg_viewer {

class MVItemFixed : public MVItem {
public:
    explicit MVItemFixed(const char* itemStyle);

    Elm_Genlist_Item_Class* getItemClassNew() override;
    void onSetElmObjectItem(Elm_Object_Item* item) override;
    bool isChecked() const override { return false; }
    void setCheck(bool) override {}
    void setViewType(ViewType) override {}

    // The row's text as plain text (it is escaped for the theme); empty for none.
    virtual std::string getText() const { return std::string(); }

private:
    static char* _textGetCb(void* data, Evas_Object* obj, const char* part);
    static Evas_Object* _anchorGetCb(void* data, Evas_Object* obj, const char* part);

    const char* _itemStyle;
};

} // namespace msg_viewer
} // namespace msg_app

#endif
