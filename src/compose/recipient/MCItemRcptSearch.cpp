#include "compose/MCItem/MCItemRcptSearch.h"

#include "compose/MCRecipientSearch.h"

#include <cstdlib>
#include <cstring>

namespace msg_app {
namespace compose {

MCItemRcptSearch::MCItemRcptSearch(const char* address, const char* name)
    : _address(address ? address : ""), _name(name ? name : "") {}

Elm_Genlist_Item_Class* MCItemRcptSearch::getItemClassNew() {
    Elm_Genlist_Item_Class* itc = WGenlistItem::getItemClassNew();
    if (!itc)
        return nullptr;
    itc->item_style = _name.empty() ? "composer.search.1text" : "composer.search.2text";
    itc->func.text_get = _textGetCb;
    return itc;
}

// Names and numbers are the user's text: escaped whole, with only the mark added as markup.
std::string MCItemRcptSearch::_marked(const std::string& text) const {
    const char* keyword = _getKeyword ? _getKeyword() : nullptr;
    std::string out;
    if (keyword && *keyword) {
        MCRecipientSearch::setKeywordColor(keyword, text.c_str(), out);
        return out;
    }
    char* markup = elm_entry_utf8_to_markup(text.c_str());
    out = markup ? markup : "";
    free(markup);
    return out;
}

char* MCItemRcptSearch::_textGetCb(void* data, Evas_Object* /*obj*/, const char* part) {
    if (!data || !part)
        return nullptr;
    auto* self = static_cast<MCItemRcptSearch*>(data);
    bool named = !self->_name.empty();
    if (std::strcmp(part, "elm.text") == 0)
        return strdup(self->_marked(named ? self->_name : self->_address).c_str());
    if (std::strcmp(part, "elm.text.1") == 0 && named)
        return strdup(self->_marked(self->_address).c_str());
    return nullptr;
}

} // namespace compose
} // namespace msg_app
