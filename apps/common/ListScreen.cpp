#include "ListScreen.h"

#include "common/MsgLog.h"
#include "list/MLListViewController.h"

namespace msg_app {
namespace shell {

ListScreen::ListScreen(msg_list::ListType listType) : _listType(listType) {
    setName("ListScreen");
}

Evas_Object* ListScreen::onCreateView(Evas_Object* parent, void* /*param*/) {
    Evas_Object* layout = elm_layout_add(parent);
    MSG_RETV_IF(!layout, nullptr, "layout is null");
    elm_layout_theme_set(layout, "layout", "application", "default");
    evas_object_size_hint_weight_set(layout, EVAS_HINT_EXPAND, EVAS_HINT_EXPAND);
    return layout;
}

void ListScreen::onCreated() {
    // The part takes the controller whether or not it could be created.
    if (!setPartContent("elm.swallow.content", new msg_list::MLListViewController(_listType)))
        MSG_LOGE("the list was not created");
}

} // namespace shell
} // namespace msg_app
