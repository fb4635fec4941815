#include "compose/recipient/MCItemRcptSearch.h"

#include "common/CommonUiHelper.h"
#include "compose/recipient/MCRecipientSearch.h"

#include <cstdlib>
#include <cstring>

namespace msg_app {
namespace compose {

MCItemRcptSearch::MCItemRcptSearch(const char* address, const char* name)
    : _address(address ? address : ""), _name(name ? name : "") {}

namespace {

Elm_Genlist_Item_Class searchClass(const char* style, Elm_Gen_Item_Text_Get_Cb textGet) {
    Elm_Genlist_Item_Class itc{};
    itc.version = ELM_GENLIST_ITEM_CLASS_VERSION;
    itc.item_style = style;
    itc.func.text_get = textGet;
    itc.func.del = view_kit::WGenlistItem::delCb;
    return itc;
}

} // namespace

Elm_Genlist_Item_Class* MCItemRcptSearch::getItemClassStatic() {
    static Elm_Genlist_Item_Class named = searchClass("composer.search.2text", _textGetCb);
    static Elm_Genlist_Item_Class number = searchClass("composer.search.1text", _textGetCb);
    return _name.empty() ? &number : &named;
}

// Names and numbers are the user's text: escaped whole, with only the mark added as markup.
std::string MCItemRcptSearch::_marked(const std::string& text) const {
    const char* keyword = _getKeyword ? _getKeyword() : nullptr;
    std::string out;
    if (keyword && *keyword) {
        MCRecipientSearch::setKeywordColor(keyword, text.c_str(), out);
        return out;
    }
    return common_ui_helper::to_label_markup(text, false);
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
