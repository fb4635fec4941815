#include "view_kit/WPopupController.h"

#include "log/PlatformLog.h"

#include <efl_extension.h>

namespace view_kit {

namespace {

constexpr size_t MAX_BUTTONS = 3;
const char* const BUTTON_INDEX_KEY = "view_kit.popup.button";

} // namespace

WPopupController::WPopupController() {
    setName("WPopupController");
}

const char* WPopupController::getClassName() const {
    return "WPopupController";
}

void WPopupController::setContent(std::function<Evas_Object*(Evas_Object*)> content) {
    _content = std::move(content);
}

void WPopupController::setOnAddProperties(std::function<void(Evas_Object*)> onAddProperties) {
    _onAddProperties = std::move(onAddProperties);
}

void WPopupController::setOnBack(DestroyFlagCb onBack) {
    _onBack = std::move(onBack);
}

bool WPopupController::addButton(const char* text, DestroyFlagCb onClicked,
                                 std::function<void(Evas_Object*)> onAdd) {
    PLAT_RETV_IF(_buttons.size() >= MAX_BUTTONS, false, "a popup has at most %zu buttons", MAX_BUTTONS);
    _buttons.push_back({text ? text : "", std::move(onClicked), std::move(onAdd)});
    if (getEvasObject())
        _addButtonObject(_buttons.size() - 1);
    return true;
}

Evas_Object* WPopupController::onCreateView(Evas_Object* parent, void*) {
    PLAT_RETV_IF(!parent, nullptr, "parent is NULL");
    Evas_Object* popup = elm_popup_add(parent);
    PLAT_RETV_IF(!popup, nullptr, "elm_popup_add() failed");
    if (_onAddProperties)
        _onAddProperties(popup);
    if (_content) {
        Evas_Object* content = _content(popup);
        if (content)
            elm_object_content_set(popup, content);
    }
    eext_object_event_callback_add(popup, EEXT_CALLBACK_BACK, _backCb, this);
    return popup;
}

void WPopupController::onDestroy() {
    eext_object_event_callback_del(getEvasObject(), EEXT_CALLBACK_BACK, _backCb);
}

// Buttons are added once the popup exists: their parts belong to it.
void WPopupController::_addButtonObject(size_t index) {
    Evas_Object* popup = getEvasObject();
    Evas_Object* button = elm_button_add(popup);
    PLAT_RET_IF(!button, "elm_button_add() failed");
    elm_object_style_set(button, "popup");
    elm_object_text_set(button, _buttons[index].text.c_str());
    evas_object_data_set(button, BUTTON_INDEX_KEY, reinterpret_cast<void*>(index));
    evas_object_smart_callback_add(button, "clicked", _buttonClickedCb, this);
    std::string part = "button" + std::to_string(index + 1);
    elm_object_part_content_set(popup, part.c_str(), button);
    if (_buttons[index].onAdd)
        _buttons[index].onAdd(button);
}

bool WPopupController::create(Evas_Object* parent, void* param) {
    if (!WViewController::create(parent, param))
        return false;
    for (size_t i = 0; i < _buttons.size(); ++i)
        _addButtonObject(i);
    return true;
}

// Closing is deferred to a job: the popup must not die inside the callback
// of one of its own widgets.
void WPopupController::_run(const DestroyFlagCb& cb) {
    if (_closeJob.isPending())
        return;
    bool destroyPopup = !cb;
    if (cb) {
        // The callback may destroy the popup itself.
        std::weak_ptr<WViewController> alive = getWeakPtr();
        cb(&destroyPopup);
        if (alive.expired())
            return;
    }
    if (destroyPopup && !_closeJob.isPending())
        _closeJob.start([this] { destroy(); });
}

void WPopupController::_buttonClickedCb(void* data, Evas_Object* obj, void*) {
    auto* self = static_cast<WPopupController*>(data);
    auto index = reinterpret_cast<size_t>(evas_object_data_get(obj, BUTTON_INDEX_KEY));
    if (index < self->_buttons.size()) {
        DestroyFlagCb cb = self->_buttons[index].onClicked;
        self->_run(cb);
    }
}

void WPopupController::_backCb(void* data, Evas_Object*, void*) {
    auto* self = static_cast<WPopupController*>(data);
    DestroyFlagCb cb = self->_onBack;
    self->_run(cb);
}

} // namespace view_kit
