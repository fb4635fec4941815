#include "block/MBContentViewController.h"

#include "common/MsgLog.h"

namespace msg_app {
namespace msg_block {

MBContentViewController::MBContentViewController(int msgId) : _msgId(msgId) {}

MBContentViewController::~MBContentViewController() = default;

void MBContentViewController::appEventListener(MCommonAppEventType /*type*/) {}

Evas_Object* MBContentViewController::onCreateView(Evas_Object* parent, void* /*param*/) {
    Evas_Object* layout = elm_layout_add(parent);
    MSG_RETV_IF(!layout, nullptr, "layout is nullptr");
    elm_layout_theme_set(layout, "layout", "application", "default");
    return layout;
}

bool MBContentViewController::onPop() { return true; }

} // namespace msg_block
} // namespace msg_app
