#include "viewer/MVRecipientItemNumber.h"

#include "common/CommonUtil.h"

#include <cstring>

namespace msg_app {
namespace msg_viewer {

MVRecipientItemNumber::MVRecipientItemNumber(std::shared_ptr<MCommonAddr> addr) : _addr(std::move(addr)) {}

Elm_Genlist_Item_Class* MVRecipientItemNumber::getItemClassStatic() {
    static Elm_Genlist_Item_Class* itc = [] {
        Elm_Genlist_Item_Class* cls = elm_genlist_item_class_new();
        cls->item_style = "1text";
        cls->func.text_get = _textGetCb;
        cls->func.del = WGenlistItem::delCb;
        return cls;
    }();
    return itc;
}

void MVRecipientItemNumber::onSelect(Elm_Object_Item* item) {
    elm_genlist_item_selected_set(item, EINA_FALSE);
    if (_onSelect)
        _onSelect(_addr);
}

char* MVRecipientItemNumber::_textGetCb(void* data, Evas_Object* /*obj*/, const char* part) {
    auto* self = static_cast<MVRecipientItemNumber*>(data);
    if (!self || !part || (strcmp(part, "elm.text") != 0 && strcmp(part, "elm.text.1") != 0))
        return nullptr;
    // Already markup: names and numbers are escaped by the address.
    // A number is shown formatted, as it is read: one formatting per row.
    std::string name;
    int formatBudget = 1;
    MCommonAddr::getDisplayName(self->_addr, name, nullptr, &formatBudget);
    if (common_util::is_screen_reader_enabled())
        common_util::del_ltr_mark(name);
    return name.empty() ? nullptr : strdup(name.c_str());
}

} // namespace msg_viewer
} // namespace msg_app
