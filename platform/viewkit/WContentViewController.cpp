#include "view_kit/WContentViewController.h"

#include "log/PlatformLog.h"
#include "view_kit/WNaviframeController.h"

namespace view_kit {

WContentViewController::WContentViewController() = default;

WContentViewController::~WContentViewController() = default;

WNaviframeController* WContentViewController::getNaviframeController() const {
    return static_cast<WNaviframeController*>(_naviframe.lock().get());
}

bool WContentViewController::popOut() {
    WNaviframeController* naviframe = getNaviframeController();
    PLAT_RETV_IF(!naviframe, false, "%s is not on a naviframe", getName());
    onPop();
    return naviframe->_remove(this);
}

void WContentViewController::onSetAsPageContent(Evas_Object*) {}

Elm_Object_Item* WContentViewController::onPushToNaviframe(Evas_Object* naviframe) {
    // Watch pages have no title bar; the page draws its own.
    Elm_Object_Item* item =
        elm_naviframe_item_push(naviframe, nullptr, nullptr, nullptr, getEvasObject(), nullptr);
    if (item)
        elm_naviframe_item_title_enabled_set(item, EINA_FALSE, EINA_FALSE);
    return item;
}

void WContentViewController::onSetContainerProperties(Elm_Object_Item*) {}

void WContentViewController::onSetMoreButton(Elm_Object_Item*) {}

void WContentViewController::onPushed(Elm_Object_Item*) {}

void WContentViewController::onBecomeTop() {}

bool WContentViewController::onPop() {
    return true;
}

} // namespace view_kit
