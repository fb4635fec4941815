#include "view_kit/WNaviframeController.h"

#include "log/PlatformLog.h"
#include "view_kit/WContentViewController.h"

#include <efl_extension.h>

namespace view_kit {

WNaviframeController::WNaviframeController() {
    setName("WNaviframeController");
}

const char* WNaviframeController::getClassName() const {
    return "WNaviframeController";
}

Evas_Object* WNaviframeController::onCreateView(Evas_Object* parent, void*) {
    PLAT_RETV_IF(!parent, nullptr, "parent is NULL");
    Evas_Object* naviframe = elm_naviframe_add(parent);
    PLAT_RETV_IF(!naviframe, nullptr, "elm_naviframe_add() failed");
    // Popped pages are deleted by the naviframe, and their controllers with them.
    elm_naviframe_content_preserve_on_pop_set(naviframe, EINA_FALSE);
    elm_naviframe_prev_btn_auto_pushed_set(naviframe, EINA_FALSE);
    eext_object_event_callback_add(naviframe, EEXT_CALLBACK_BACK, _backCb, this);
    evas_object_smart_callback_add(naviframe, "transition,finished", _transitionFinishedCb, this);
    return naviframe;
}

void WNaviframeController::onDestroy() {
    eext_object_event_callback_del(getEvasObject(), EEXT_CALLBACK_BACK, _backCb);
    evas_object_smart_callback_del_full(getEvasObject(), "transition,finished", _transitionFinishedCb, this);
}

bool WNaviframeController::push(WContentViewController* vc) {
    return push(vc, nullptr);
}

bool WNaviframeController::push(WContentViewController* vc, const char* name) {
    PLAT_RETV_IF(!vc, false, "vc is NULL");
    Evas_Object* naviframe = getEvasObject();
    if (!naviframe) {
        PLAT_LOGE("naviframe is not created");
        vc->destroy();
        return false;
    }
    if (name)
        vc->setName(name);
    if (!vc->create(naviframe, nullptr)) {
        vc->destroy();
        return false;
    }
    vc->onSetAsPageContent(naviframe);
    Elm_Object_Item* item = vc->onPushToNaviframe(naviframe);
    if (!item) {
        PLAT_LOGE("pushing %s failed", vc->getName());
        vc->destroy();
        return false;
    }
    if (elm_naviframe_top_item_get(naviframe) != elm_naviframe_bottom_item_get(naviframe))
        ++_transitions;
    vc->_naviframe = getWeakPtr();
    vc->_naviItem = item;
    vc->onSetContainerProperties(item);
    vc->onSetMoreButton(item);
    vc->onPushed(item);
    return true;
}

WContentViewController* WNaviframeController::_pageOf(Elm_Object_Item* item) {
    if (!item)
        return nullptr;
    WViewController* vc = wviewcontroller_get_instance_from_evasobj(elm_object_item_content_get(item));
    return dynamic_cast<WContentViewController*>(vc);
}

WContentViewController* WNaviframeController::getTopContentViewController() const {
    return getEvasObject() ? _pageOf(elm_naviframe_top_item_get(getEvasObject())) : nullptr;
}

bool WNaviframeController::isTopContentViewController(const WContentViewController* vc) const {
    return vc && vc == getTopContentViewController();
}

int WNaviframeController::getPageCount() const {
    if (!getEvasObject())
        return 0;
    Eina_List* items = elm_naviframe_items_get(getEvasObject());
    int count = static_cast<int>(eina_list_count(items));
    eina_list_free(items);
    return count;
}

bool WNaviframeController::pop() {
    WContentViewController* top = getTopContentViewController();
    PLAT_RETV_IF(!top, false, "no page to pop");
    if (!top->onPop()) {
        PLAT_LOGD("%s refused to pop", top->getName());
        return false;
    }
    return _remove(top);
}

bool WNaviframeController::_remove(WContentViewController* page) {
    Evas_Object* naviframe = getEvasObject();
    if (getPageCount() <= 1) {
        _lastPageBack();
        return true;
    }
    if (!isTopContentViewController(page)) {
        elm_object_item_del(page->_naviItem);
        return true;
    }
    // Elementary never finishes a pop that starts during another transition
    // (the popped page would live on): then the page goes without animation.
    if (_transitions > 0) {
        elm_object_item_del(page->_naviItem);
    } else {
        ++_transitions;
        elm_naviframe_item_pop(naviframe);
    }
    if (WContentViewController* uncovered = getTopContentViewController())
        uncovered->onBecomeTop();
    return true;
}

void WNaviframeController::setOnLastPageBack(std::function<void()> onLastPageBack) {
    _onLastPageBack = std::move(onLastPageBack);
}

void WNaviframeController::_lastPageBack() {
    if (_onLastPageBack) {
        _onLastPageBack();
        return;
    }
    Evas_Object* win = elm_object_top_widget_get(getEvasObject());
    if (win)
        elm_win_lower(win);
}

void WNaviframeController::_transitionFinishedCb(void* data, Evas_Object*, void*) {
    auto* self = static_cast<WNaviframeController*>(data);
    if (self->_transitions > 0)
        --self->_transitions;
}

void WNaviframeController::_backCb(void* data, Evas_Object*, void*) {
    static_cast<WNaviframeController*>(data)->pop();
}

} // namespace view_kit
