// First: it opens the accessibility API before Elementary is included.
#include "common/popup/AccessApi.h"

#include "common/popup/MCommonPopup.h"

#include "common/CommonUiHelper.h"
#include "common/CommonUtil.h"
#include "common/LaunchRequest.h"
#include "common/MsgLog.h"
#include "common/popup/DestroyLater.h"
#include "common/ui/CommonUiHelperAccess.h"
#include "common/ui/MCommonRotaryActivateMgr.h"
#include "qel.h"

#include "app_control.h"

namespace msg_app {

namespace {

using common_ui_helper::TEXT_DOMAIN;

constexpr const char* OK_TEXT_ID = "WDS_MSG_ACBUTTON_OK_ABB";
constexpr const char* CANCEL_TEXT_ID = "WDS_PN_BUTTON_CANCEL_ABB2";

struct IconInfo {
    const char* toastStyle;
    const char* imageKey;
};

const IconInfo ICONS[] = {
    {"toast/circle", nullptr},       {"toast/circle/check", "sent_success"},  {"toast/circle", "sent_failed"},
    {"toast/circle", "show_device"}, {"toast/circle", "show_on_device_fail"}, {"toast/circle", "memory_full"},
};

const IconInfo& iconInfo(MCommonPopup::IconType icon) {
    int index = static_cast<int>(icon);
    if (index < 0 || index >= static_cast<int>(sizeof(ICONS) / sizeof(ICONS[0])))
        index = 0;
    return ICONS[index];
}

Evas_Object* createButtonIcon(Evas_Object* parent, const char* group) {
    Evas_Object* icon = elm_image_add(parent);
    MSG_RETV_IF(!icon, nullptr, "icon is null");
    elm_image_file_set(icon, common_util::get_image_edj().c_str(), group);
    return icon;
}

// Reads the part's own text when the screen reader reaches it.
void registerPartAccess(Evas_Object* layout, const char* part, const char* text) {
    Evas_Object* edje = elm_layout_edje_get(layout);
    auto* partObj = const_cast<Evas_Object*>(edje_object_part_object_get(edje, part));
    MSG_RET_IF(!partObj, "part object is null");
    Evas_Object* ao = elm_access_object_register(partObj, layout);
    MSG_RET_IF(!ao, "access object is null");
    elm_access_info_set(ao, ELM_ACCESS_INFO, text);
}

} // namespace

MCommonPopup::MCommonPopup() {
    setName("MCommonPopup");
}

MCommonPopup::~MCommonPopup() = default;

const char* MCommonPopup::getToastStyle(IconType icon) {
    return iconInfo(icon).toastStyle;
}

const char* MCommonPopup::getImageKey(IconType icon) {
    return iconInfo(icon).imageKey;
}

MCommonPopup* MCommonPopup::createOkCancelPopup(const char* title, const char* text, ButtonCb okCb,
                                                ButtonCb cancelCb, ButtonCb backCb, DestroyCb destroyCb,
                                                void* data) {
    auto* popup = new MCommonPopup();
    popup->_title = title ? title : "";
    popup->_text = text ? text : "";
    popup->_okCb = std::move(okCb);
    popup->_cancelCb = std::move(cancelCb);
    popup->_backCb = std::move(backCb);
    popup->_destroyCb = std::move(destroyCb);
    popup->_userData = data;
    popup->_setOkCancelHooks();
    return popup;
}

MCommonPopup* MCommonPopup::createOkCancelPopup(const char* title, ContentCb content, ButtonCb okCb,
                                                ButtonCb cancelCb, ButtonCb backCb, DestroyCb destroyCb,
                                                void* data) {
    MCommonPopup* popup = createOkCancelPopup(title, nullptr, std::move(okCb), std::move(cancelCb),
                                              std::move(backCb), std::move(destroyCb), data);
    popup->_contentCb = std::move(content);
    return popup;
}

MCommonPopup* MCommonPopup::createToastPopup(const char* text, DestroyCb destroyCb, void* data,
                                             double timeout, IconType icon) {
    auto* popup = new MCommonPopup();
    popup->_text = text ? text : "";
    popup->_destroyCb = std::move(destroyCb);
    popup->_userData = data;
    popup->_timeout = timeout;
    popup->_iconType = icon;
    popup->_setToastHooks();
    return popup;
}

bool MCommonPopup::showToast(Evas_Object* parent, const char* textId) {
    MCommonPopup* toast = createToastPopup(textId, nullptr, nullptr);
    if (!toast->create(parent, nullptr)) {
        MSG_LOGE("toast not shown");
        toast->destroy();
        return false;
    }
    evas_object_show(toast->getEvasObject());
    return true;
}

void MCommonPopup::showToastWhenIdle(Evas_Object* parent, const char* textId,
                                     std::weak_ptr<view_kit::WTimer>& idler) {
    view_kit::WTimer::destroy(idler);
    std::string text = textId ? textId : "";
    idler = view_kit::WTimer::addIdler(
        [parent, text, &idler](void*) {
            idler.reset();
            showToast(parent, text.c_str());
            return false;
        },
        nullptr);
}

bool MCommonPopup::launchPopup(const char* textId, IconType icon) {
    MSG_RETV_IF(!textId, false, "did is null");
    LaunchRequest request = createLaunchRequest();
    MSG_RETV_IF(!request, false, "service_create() is failed");
    app_control_set_app_id(request.get(), SYSTEM_POPUP_APP_ID);
    app_control_add_extra_data(request.get(), "display_text", "display_custom_value");
    app_control_add_extra_data(request.get(), "request_text_key", textId);
    if (const char* imageKey = getImageKey(icon))
        app_control_add_extra_data(request.get(), "request_img_key", imageKey);
    int ret = app_control_send_launch_request(request.get(), nullptr, nullptr);
    MSG_RETV_IF(ret != APP_CONTROL_ERROR_NONE, false, "app_control_send_launch_request() failed (%d)", ret);
    return true;
}

void MCommonPopup::_setOkCancelHooks() {
    setOnAddProperties([this](Evas_Object* popup) { _addOkCancelProperties(popup); });
    setContent([this](Evas_Object* parent) { return _createOkCancelContent(parent); });
    if (_backCb)
        setOnBack([this](bool* destroyPopup) { _runButton(_backCb, destroyPopup); });
    _addButtons();
}

void MCommonPopup::_addOkCancelProperties(Evas_Object* popup) {
    elm_object_style_set(popup, "circle");
    qel_popup_set_rotary_event_enabled(popup, EINA_TRUE);
    evas_object_size_hint_weight_set(popup, EVAS_HINT_EXPAND, EVAS_HINT_EXPAND);
    if (!common_util::is_screen_reader_enabled())
        return;
    const std::string& nameId = !_title.empty() ? _title : _text;
    if (nameId.empty()) {
        MSG_LOGD("custom content!!");
        return;
    }
    efl_access_object_i18n_name_set(popup, common_ui_helper::get_text(nameId.c_str()));
}

Evas_Object* MCommonPopup::_createOkCancelContent(Evas_Object* parent) {
    Evas_Object* layout = elm_layout_add(parent);
    MSG_RETV_IF(!layout, nullptr, "layout is null");
    elm_layout_theme_set(layout, "layout", "popup",
                         _cancelCb ? "content/circle/buttons2" : "content/circle/buttons1");
    evas_object_size_hint_weight_set(layout, EVAS_HINT_EXPAND, EVAS_HINT_EXPAND);
    bool screenReader = common_util::is_screen_reader_enabled();
    if (!_title.empty()) {
        elm_object_domain_translatable_part_text_set(layout, "elm.text.title", TEXT_DOMAIN, _title.c_str());
        if (screenReader)
            registerPartAccess(layout, "elm.text.title", common_ui_helper::get_text(_title.c_str()));
    } else {
        elm_layout_signal_emit(layout, "msg,title,hide", "msg");
    }
    if (_contentCb) {
        Evas_Object* inner = _contentCb(layout);
        if (inner)
            elm_object_part_content_set(layout, "elm.swallow.content", inner);
        else
            MSG_LOGE("innerObj is null");
    }
    if (!_text.empty()) {
        elm_object_domain_translatable_part_text_set(layout, "elm.text", TEXT_DOMAIN, _text.c_str());
        if (screenReader)
            registerPartAccess(layout, "elm.text", common_ui_helper::get_text(_text.c_str()));
    }
    evas_object_show(layout);
    return layout;
}

void MCommonPopup::_addButtons() {
    bool twoButtons = static_cast<bool>(_cancelCb);
    if (twoButtons) {
        addButton(
            "", [this](bool* destroyPopup) { _runButton(_cancelCb, destroyPopup); },
            [this](Evas_Object* button) {
                elm_object_style_set(button, "popup/circle/left");
                elm_object_part_content_set(button, "elm.swallow.content",
                                            createButtonIcon(button, "img/popup/button/cancel"));
                _setButtonAccess(button, CANCEL_TEXT_ID);
            });
    }
    DestroyFlagCb onOk;
    if (_okCb)
        onOk = [this](bool* destroyPopup) { _runButton(_okCb, destroyPopup); };
    addButton("", std::move(onOk), [this, twoButtons](Evas_Object* button) {
        if (twoButtons) {
            elm_object_style_set(button, "popup/circle/right");
            elm_object_part_content_set(button, "elm.swallow.content",
                                        createButtonIcon(button, "img/popup/button/ok"));
        } else {
            elm_object_style_set(button, "popup/circle");
            elm_object_domain_translatable_text_set(button, TEXT_DOMAIN, OK_TEXT_ID);
        }
        _setButtonAccess(button, OK_TEXT_ID);
    });
}

void MCommonPopup::_setButtonAccess(Evas_Object* button, const char* nameId) {
    if (!common_util::is_screen_reader_enabled())
        return;
    common_ui_helper::set_access_name_role(button, nameId, EFL_ACCESS_ROLE_PUSH_BUTTON);
}

void MCommonPopup::_runButton(const ButtonCb& cb, bool* destroyPopup) {
    MSG_RET_IF(!destroyPopup, "destroyPopup is null");
    // The callback may destroy this popup (attaching another one does): it runs from a copy, so
    // that what it captured lives until it returns.
    ButtonCb running = cb;
    void* data = _userData;
    running(data, destroyPopup);
}

void MCommonPopup::_setToastHooks() {
    setOnAddProperties([this](Evas_Object* popup) { _addToastProperties(popup); });
}

void MCommonPopup::_addToastProperties(Evas_Object* popup) {
    elm_object_style_set(popup, getToastStyle(_iconType));
    elm_popup_orient_set(popup, ELM_POPUP_ORIENT_BOTTOM);
    evas_object_size_hint_weight_set(popup, EVAS_HINT_EXPAND, EVAS_HINT_EXPAND);
    elm_object_domain_translatable_part_text_set(popup, "elm.text", TEXT_DOMAIN, _text.c_str());
    if (common_util::is_screen_reader_enabled()) {
        // The toast stays until the screen reader has read it.
        elm_popup_timeout_set(popup, 0.0);
        evas_object_smart_callback_add(popup, "access,read,stop", _toastDismissCb, this);
    } else {
        elm_popup_timeout_set(popup, _timeout);
    }
    evas_object_smart_callback_add(popup, "timeout", _toastDismissCb, this);
    // A free-standing toast is not shown by a screen; its timeout starts when it shows.
    evas_object_show(popup);
}

void MCommonPopup::_toastDismissCb(void* data, Evas_Object*, void*) {
    common_popup::destroy_later(static_cast<MCommonPopup*>(data));
}

void MCommonPopup::onDestroy() {
    Evas_Object* popup = getEvasObject();
    evas_object_smart_callback_del_full(popup, "timeout", _toastDismissCb, this);
    evas_object_smart_callback_del_full(popup, "access,read,stop", _toastDismissCb, this);
    MCommonRotaryActivateMgr::getInstance()->setActivate(true);
    if (_destroyCb) {
        DestroyCb last = std::move(_destroyCb);
        last(_userData, popup);
    }
    WPopupController::onDestroy();
}

} // namespace msg_app
