#include "common/view/MCommonSelectMode.h"

#include "common/CommonUiHelper.h"
#include "common/MCommonAppEventMgr.h"
#include "common/MsgLog.h"
#include "common/popup/MCommonSelectCtxPopup.h"
#include "common/view/MCommonCountBtnViewController.h"

namespace msg_app {

MCommonSelectMode::MCommonSelectMode(view_kit::WViewController& owner, Callbacks callbacks)
    : _owner(owner), _callbacks(std::move(callbacks)) {}

MCommonSelectMode::~MCommonSelectMode() {
    closeSelectAllPopup();
    destroyCountButton();
}

bool MCommonSelectMode::enter(const char* bottomTextId) {
    MSG_RETV_IF(_isOn, false, "select mode is on already");
    _isOn = true;
    _createCountButton();
    setBottomButton(bottomTextId);
    _emit("select_mode,button,show");
    return true;
}

bool MCommonSelectMode::leave() {
    MSG_RETV_IF(!_isOn, false, "select mode is off");
    _isOn = false;
    _emit("select_mode,button,hide");
    _deleteBottomButton();
    _owner.destroyPopup();
    closeSelectAllPopup();
    destroyCountButton();
    return true;
}

void MCommonSelectMode::_emit(const char* signal) const {
    if (_layout)
        elm_object_signal_emit(_layout, signal, "");
}

void MCommonSelectMode::_createCountButton() {
    MSG_RET_IF(!_countBtn.expired(), "count button exists");
    MSG_RET_IF(!_layout, "no select mode layout");
    auto* countBtn = new MCommonCountBtnViewController();
    countBtn->setClickedCb([this] { showSelectAllPopup(); });
    if (!countBtn->create(_layout, nullptr)) {
        MSG_LOGE("count button not created");
        countBtn->destroy();
        return;
    }
    _countBtn = view_kit::weak_cast<MCommonCountBtnViewController>(countBtn->getWeakPtr());
}

void MCommonSelectMode::destroyCountButton() {
    if (auto countBtn = _countBtn.lock())
        countBtn->destroy();
    _countBtn.reset();
}

void MCommonSelectMode::setBottomButton(const char* textId) {
    Evas_Object* view = _owner.getEvasObject();
    MSG_RET_IF(!view, "no view");
    if (!_bottomButton) {
        _bottomButton = elm_button_add(view);
        MSG_RET_IF(!_bottomButton, "elm_button_add() failed");
        elm_object_style_set(_bottomButton, "bottom");
        // A tap must not leave it focused: the button goes with select mode, often while the result's
        // toast holds the focus, and the toast would hand the focus back to it when it closes.
        elm_object_focus_allow_set(_bottomButton, EINA_FALSE);
        evas_object_smart_callback_add(_bottomButton, "clicked", _bottomButtonClickedCb, this);
        elm_object_part_content_set(view, "elm.swallow.button", _bottomButton);
        evas_object_show(_bottomButton);
    }
    elm_object_domain_translatable_text_set(_bottomButton, common_ui_helper::TEXT_DOMAIN, textId);
}

void MCommonSelectMode::_deleteBottomButton() {
    if (!_bottomButton)
        return;
    elm_object_part_content_unset(_owner.getEvasObject(), "elm.swallow.button");
    evas_object_del(_bottomButton);
    _bottomButton = nullptr;
}

void MCommonSelectMode::_bottomButtonClickedCb(void* data, Evas_Object* /*obj*/, void* /*eventInfo*/) {
    auto* self = static_cast<MCommonSelectMode*>(data);
    if (self->_callbacks.onBottomButton)
        self->_callbacks.onBottomButton();
}

void MCommonSelectMode::showCount(int count) {
    if (auto countBtn = _countBtn.lock()) {
        countBtn->setCount(count);
        countBtn->show();
    }
    if (_bottomButton)
        elm_object_disabled_set(_bottomButton, count == 0 ? EINA_TRUE : EINA_FALSE);
}

int MCommonSelectMode::getCheckedCount() const {
    auto countBtn = _countBtn.lock();
    return _isOn && countBtn ? countBtn->getCount() : -1;
}

Evas_Object* MCommonSelectMode::getCountButton() const {
    auto countBtn = _countBtn.lock();
    return countBtn ? countBtn->getEvasObject() : nullptr;
}

void MCommonSelectMode::showSelectAllPopup() {
    MSG_RET_IF(!_selectCtxPopup.expired(), "_selectCtxPopupWptr is not expired");
    MSG_RET_IF(isBgActionRunning(), "bgAction is running");
    auto countBtn = _countBtn.lock();
    int checked = countBtn ? countBtn->getCount() : 0;
    int total = _callbacks.itemCount();
    auto* popup = new MCommonSelectCtxPopup();
    if (checked < total)
        popup->setSelectAllItemCb([this] { _callbacks.onCheckAll(true); });
    if (checked > 0)
        popup->setDeselectAllItemCb([this] { _callbacks.onCheckAll(false); });
    if (!_owner.attachPopup(popup)) {
        MSG_LOGE("select popup not shown");
        return;
    }
    _selectCtxPopup = view_kit::weak_cast<MCommonSelectCtxPopup>(popup->getWeakPtr());
}

bool MCommonSelectMode::closeSelectAllPopup() {
    auto popup = _selectCtxPopup.lock();
    _selectCtxPopup.reset();
    if (!popup)
        return false;
    popup->destroy();
    return true;
}

bool MCommonSelectMode::runInBackground(const char* textId, MCommonProgressPopup::Worker worker,
                                        std::function<void(void* result)> result,
                                        std::function<void()> ended) {
    MSG_RETV_IF(isBgActionRunning(), false, "bgAction may be alive. please check it.");
    MCommonProgressPopup* popup = MCommonProgressPopup::createBgActionPopup(
        MCommonProgressPopup::FULL, textId, std::move(worker),
        [result = std::move(result)](void*, void* notified) { result(notified); },
        // The owner hears of the end once the progress popup has gone: one state on screen at a time.
        [this, alive = std::weak_ptr<char>(_alive), ended = std::move(ended)](void*) {
            if (MCommonAppEventMgr::getInstance()->getAppState() == APP_EVENT_TERMINATING) {
                MSG_LOGI("app is destroying. just return.");
                return;
            }
            if (alive.expired())
                return;
            _bgActionPopup.reset();
            ended();
        },
        // The back key leaves it up: the worker is cancelled by closing it, not by leaving the screen.
        [](void*, bool* destroyPopup) {
            if (destroyPopup)
                *destroyPopup = false;
        },
        nullptr);
    MSG_RETV_IF(!popup, false, "popup is null");
    if (!_owner.attachPopup(popup)) {
        MSG_LOGE("progress popup not shown");
        return false;
    }
    _bgActionPopup = view_kit::weak_cast<MCommonProgressPopup>(popup->getWeakPtr());
    return true;
}

void MCommonSelectMode::dropBgAction() {
    _alive = std::make_shared<char>();
    if (auto popup = _bgActionPopup.lock())
        popup->destroy();
    _bgActionPopup.reset();
}

} // namespace msg_app
