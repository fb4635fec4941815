/*
 * A match of the recipient search list: a contact's name over the number, or
 * a number of the call log, with the typed part marked.
 */
#ifndef MSG_APP_COMPOSE_MCITEM_MCITEMRCPTSEARCH_H
#define MSG_APP_COMPOSE_MCITEM_MCITEMRCPTSEARCH_H

#include "view_kit/WGenlistItem.h"

#include <functional>
#include <string>

namespace msg_app {
namespace compose {

class MCItemRcptSearch : public view_kit::WGenlistItem {
public:
    // name may be null or empty for a number without a contact.
    MCItemRcptSearch(const char* address, const char* name);

    // One class per style, shared by every row: the genlist sizes a class once in a homogeneous list.
    Elm_Genlist_Item_Class* getItemClassStatic() override;
    const std::string& getAddress() const { return _address; }
    const std::string& getName() const { return _name; }
    void setOnGetKeyword(std::function<const char*()> cb) { _getKeyword = std::move(cb); }

private:
    static char* _textGetCb(void* data, Evas_Object* obj, const char* part);
    std::string _marked(const std::string& text) const;

    std::string _address;
    std::string _name;
    std::function<const char*()> _getKeyword;
};

} // namespace compose
} // namespace msg_app

#endif
