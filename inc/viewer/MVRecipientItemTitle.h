/*
 * The title row of a conversation's recipients: "Recipients(N)".
 */
#ifndef MSG_APP_VIEWER_MVRECIPIENTITEMTITLE_H
#define MSG_APP_VIEWER_MVRECIPIENTITEMTITLE_H

#include "view_kit/WGenlistItem.h"

#include <string>

namespace msg_app {
namespace msg_viewer {

class MVRecipientItemTitle : public view_kit::WGenlistItem {
public:
    explicit MVRecipientItemTitle(int count);
    Elm_Genlist_Item_Class* getItemClassStatic() override;
    void onSetElmObjectItem(Elm_Object_Item* item) override;
    // The row's text in the current language.
    std::string getText() const;

private:
    static char* _textGetCb(void* data, Evas_Object* obj, const char* part);
    int _count;
};

} // namespace msg_viewer
} // namespace msg_app

#endif
