#ifndef MSG_APP_SHELL_DEMOITEM_H
#define MSG_APP_SHELL_DEMOITEM_H

#include "view_kit/WGenlistItem.h"

#include <functional>
#include <string>

namespace msg_app {
namespace shell {

// A text row of the demo list, in a genlist style of the application theme.
class DemoItem : public view_kit::WGenlistItem {
public:
    DemoItem(const char* style, const char* text, std::function<void()> onSelected = nullptr);

    Elm_Genlist_Item_Class* getItemClassNew() override;
    void onSelect(Elm_Object_Item* item) override;
    const std::string& text() const { return _text; }

private:
    static char* _textCb(void* data, Evas_Object* obj, const char* part);

    const char* _style; // a literal: the item class points at it
    std::string _text;
    std::function<void()> _onSelected;
};

} // namespace shell
} // namespace msg_app

#endif
