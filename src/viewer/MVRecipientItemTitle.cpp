// First: it opens the accessibility API before Elementary is included.
#include "common/popup/AccessApi.h"

#include "viewer/MVRecipientItemTitle.h"

#include "common/CommonUiHelper.h"
#include "common/CommonUtil.h"
#include "common/ui/CommonUiHelperAccess.h"
#include "qel.h"

#include <cstring>

namespace msg_app {
namespace msg_viewer {

MVRecipientItemTitle::MVRecipientItemTitle(int count) : _count(count) {}

Elm_Genlist_Item_Class* MVRecipientItemTitle::getItemClassStatic() {
    static Elm_Genlist_Item_Class* itc = [] {
        Elm_Genlist_Item_Class* cls = elm_genlist_item_class_new();
        cls->item_style = "message.title";
        cls->func.text_get = _textGetCb;
        cls->func.del = WGenlistItem::delCb;
        return cls;
    }();
    return itc;
}

void MVRecipientItemTitle::onSetElmObjectItem(Elm_Object_Item* item) {
    elm_genlist_item_select_mode_set(item, ELM_OBJECT_SELECT_MODE_NONE);
    qel_theme_object_item_replace_color(item, "T012", "AT017");
    // It heads the list of people, as a reader says.
    if (common_util::is_screen_reader_enabled())
        common_ui_helper::set_access_text_role(item, getText(), EFL_ACCESS_ROLE_HEADING);
}

std::string MVRecipientItemTitle::getText() const {
    // The count keeps its own order inside a right-to-left title.
    return std::string(common_ui_helper::get_text("WDS_MSG_OPT_RECIPIENTS_ABB")) + " \u2066(" +
           std::to_string(_count) + ")\u2069";
}

char* MVRecipientItemTitle::_textGetCb(void* data, Evas_Object* /*obj*/, const char* part) {
    if (!data || !part || strcmp(part, "elm.text") != 0)
        return nullptr;
    return elm_entry_utf8_to_markup(static_cast<MVRecipientItemTitle*>(data)->getText().c_str());
}

} // namespace msg_viewer
} // namespace msg_app
