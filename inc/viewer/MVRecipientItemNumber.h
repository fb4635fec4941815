/*
 * One address of the conversation in its recipients list: the contact's name
 * or the formatted number. Choosing it hands the address to the screen.
 */
#ifndef MSG_APP_VIEWER_MVRECIPIENTITEMNUMBER_H
#define MSG_APP_VIEWER_MVRECIPIENTITEMNUMBER_H

#include "common/addr/MCommonAddr.h"
#include "view_kit/WGenlistItem.h"

#include <functional>
#include <memory>
#include <string>

namespace msg_app {
namespace msg_viewer {

class MVRecipientItemNumber : public view_kit::WGenlistItem {
public:
    using SelectCb = std::function<void(std::shared_ptr<MCommonAddr>)>;

    explicit MVRecipientItemNumber(std::shared_ptr<MCommonAddr> addr);
    void setOnSelect(SelectCb cb) { _onSelect = std::move(cb); }
    const std::shared_ptr<MCommonAddr>& getAddr() const { return _addr; }

    Elm_Genlist_Item_Class* getItemClassStatic() override;
    void onSelect(Elm_Object_Item* item) override;

private:
    static char* _textGetCb(void* data, Evas_Object* obj, const char* part);
    static int _numberSize(Evas_Object* genlist, const std::string& number);
    std::shared_ptr<MCommonAddr> _addr;
    SelectCb _onSelect;
};

} // namespace msg_viewer
} // namespace msg_app

#endif
