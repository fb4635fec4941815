// First: it switches on the accessibility API before anything includes Elementary.
#include "common/popup/AccessApi.h"

#include "viewer/MVRecipientDetailContentViewController.h"

#include "app_control.h"
#include "common/CommonUiHelper.h"
#include "common/CommonUtil.h"
#include "common/FormattedNumber.h"
#include "common/LaunchRequest.h"
#include "common/MCommonAppLaunchMgr.h"
#include "common/MsgLog.h"
#include "common/ui/CommonUiHelperAccess.h"
#include "viewer/MVComposeLaunch.h"

#include <cstdlib>

namespace msg_app {
namespace msg_viewer {

namespace {

constexpr const char* BUTTON_KIND_KEY = "recipient_button_kind";
// The number's lines: as wide as its part of the page, where the circle is that wide.
constexpr int NAME_W = 274;
constexpr int NAME_FONT_SIZE = 28;

struct ButtonLook {
    const char* icon;
    const char* accessName;
};

// Indexed by ButtonKind; the add-contact button is a text button.
constexpr ButtonLook LOOKS[] = {
    {"img/option/call", "IDS_ACCS_SK2_CALL"},
    {"img/option/send_msg", "IDS_ACCS_BODY_MESSAGE"},
    {nullptr, "WDS_MSG_ACBUTTON_CREATE_CONTACT"},
};

bool appMatchedCb(app_control_h, const char*, void* data) {
    *static_cast<bool*>(data) = true;
    return false;
}

Evas_Object* layoutOf(Evas_Object* parent, const char* group) {
    Evas_Object* layout = elm_layout_add(parent);
    if (layout && !elm_layout_file_set(layout, common_util::get_message_edj().c_str(), group)) {
        MSG_LOGE("no theme group %s", group);
        evas_object_del(layout);
        return nullptr;
    }
    return layout;
}

} // namespace

MVRecipientDetailContentViewController::MVRecipientDetailContentViewController(const char* number)
    : _number(number ? number : "") {
    setName("MVRecipientDetailContentViewController");
}

MVRecipientDetailContentViewController::~MVRecipientDetailContentViewController() = default;

bool MVRecipientDetailContentViewController::_isCallAvailable() {
    LaunchRequest request = createLaunchRequest();
    MSG_RETV_IF(!request, false, "app_control_create failed");
    app_control_set_operation(request.get(), APP_CONTROL_OPERATION_CALL);
    bool found = false;
    app_control_foreach_app_matched(request.get(), appMatchedCb, &found);
    return found;
}

Evas_Object* MVRecipientDetailContentViewController::onCreateView(Evas_Object* parent, void* /*param*/) {
    Evas_Object* layout = layoutOf(parent, "message/recipient/base_layout");
    MSG_RETV_IF(!layout, nullptr, "!layout");
    evas_object_size_hint_weight_set(layout, EVAS_HINT_EXPAND, EVAS_HINT_EXPAND);
    elm_object_part_content_set(layout, "elm.text.name", _createName(layout));
    elm_object_part_content_set(layout, "elm.layout.buttons", _createButtons(layout));
    _addContactButton = _createButton(layout, BUTTON_ADD_CONTACT);
    elm_object_part_content_set(layout, "elm.text.number", _addContactButton);
    return layout;
}

Evas_Object* MVRecipientDetailContentViewController::_createName(Evas_Object* parent) {
    Evas_Object* label = elm_label_add(parent);
    MSG_RETV_IF(!label, nullptr, "elm_label_add() failed");
    std::string formatted;
    formatted_number::get(_number.c_str(), formatted);
    if (formatted.empty())
        formatted = _number;
    // The number is text, whatever another application stored in it. It is read whole: a number
    // too long for its line wraps to a second one rather than sliding past the circle's edge.
    std::string text = std::string("<align=0.5><font_size=") + std::to_string(NAME_FONT_SIZE) + ">" +
                       common_ui_helper::to_label_markup(formatted, false) + "</font_size>";
    elm_object_text_set(label, text.c_str());
    elm_label_line_wrap_set(label, ELM_WRAP_MIXED);
    elm_label_wrap_width_set(label, ELM_SCALE_SIZE(NAME_W));
    if (common_util::is_screen_reader_enabled()) {
        std::string spoken;
        common_util::make_phonenumber_text_for_tts(_number.c_str(), spoken);
        efl_access_object_description_set(label, spoken.c_str());
    }
    evas_object_show(label);
    return label;
}

Evas_Object* MVRecipientDetailContentViewController::_createButtons(Evas_Object* parent) {
    bool canCall = _isCallAvailable();
    Evas_Object* buttons = layoutOf(parent, canCall ? "message/recipient/button_layout/button2"
                                                    : "message/recipient/button_layout/button1");
    MSG_RETV_IF(!buttons, nullptr, "no button layout");
    if (canCall) {
        _callButton = _createButton(buttons, BUTTON_CALL);
        elm_object_part_content_set(buttons, "elm.button.1", _callButton);
    }
    _messageButton = _createButton(buttons, BUTTON_MESSAGE);
    elm_object_part_content_set(buttons, canCall ? "elm.button.2" : "elm.button.1", _messageButton);
    evas_object_show(buttons);
    return buttons;
}

Evas_Object* MVRecipientDetailContentViewController::_createButton(Evas_Object* parent, ButtonKind kind) {
    const ButtonLook& look = LOOKS[kind];
    Evas_Object* button = layoutOf(parent, look.icon ? "message/recipient/button"
                                                     : "message/recipient/button_layout/add_contact");
    MSG_RETV_IF(!button, nullptr, "no button");
    if (look.icon) {
        Evas_Object* icon = elm_image_add(button);
        elm_image_file_set(icon, common_util::get_image_edj().c_str(), look.icon);
        elm_object_part_content_set(button, "elm.icon", icon);
    } else {
        elm_object_domain_translatable_part_text_set(button, "elm.text", common_ui_helper::TEXT_DOMAIN,
                                                     look.accessName);
    }
    if (common_util::is_screen_reader_enabled())
        common_ui_helper::set_access_name_role(button, look.accessName, EFL_ACCESS_ROLE_PUSH_BUTTON);
    evas_object_data_set(button, BUTTON_KIND_KEY, reinterpret_cast<void*>(static_cast<intptr_t>(kind)));
    elm_object_signal_callback_add(button, "mouse,clicked,*", "event", _clickedCb, this);
    elm_object_signal_callback_add(button, "access,activated", "*", _clickedCb, this);
    evas_object_show(button);
    return button;
}

void MVRecipientDetailContentViewController::_clickedCb(void* data, Evas_Object* obj,
                                                        const char* /*emission*/, const char* /*source*/) {
    auto kind =
        static_cast<ButtonKind>(reinterpret_cast<intptr_t>(evas_object_data_get(obj, BUTTON_KIND_KEY)));
    static_cast<MVRecipientDetailContentViewController*>(data)->_onButton(kind);
}

void MVRecipientDetailContentViewController::_onButton(ButtonKind kind) {
    switch (kind) {
    case BUTTON_CALL:
        MCommonAppLaunchMgr::getInstance()->launchVoiceCall(_number.c_str(), nullptr);
        break;
    case BUTTON_MESSAGE:
        compose_launch::new_message(this, _number);
        break;
    case BUTTON_ADD_CONTACT:
        MCommonAppLaunchMgr::getInstance()->launchAddContactView(_number.c_str());
        break;
    }
}

void MVRecipientDetailContentViewController::onCreated() {
    // The item goes with the page's object.
    auto* rotaryItem = new MCommonRotaryActivateMgr::Item(getEvasObject());
    if (rotaryItem->regist(true) == false) {
        MSG_LOGE("rotaryItem->regist() == false");
        delete rotaryItem;
    }
}

void MVRecipientDetailContentViewController::onPushed(Elm_Object_Item* naviItem) {
    MSG_RET_IF(!naviItem, "naviItem is nullptr");
    elm_naviframe_item_title_enabled_set(naviItem, EINA_FALSE, EINA_FALSE);
    std::string spoken;
    common_util::make_phonenumber_text_for_tts(_number.c_str(), spoken);
    efl_access_object_i18n_name_set(naviItem, spoken.c_str());
}

bool MVRecipientDetailContentViewController::onPop() {
    return true;
}

} // namespace msg_viewer
} // namespace msg_app
