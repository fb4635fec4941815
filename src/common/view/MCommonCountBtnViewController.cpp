// First: it opens the accessibility API before Elementary is included.
#include "common/popup/AccessApi.h"

#include "common/view/MCommonCountBtnViewController.h"

#include "common/CommonUiHelper.h"
#include "common/MsgLog.h"
#include "common/ui/MCommonI18n.h"

#include <string>

namespace msg_app {

namespace {

constexpr const char* SELECTED_TTS_ID = "IDS_ACCS_OPT_SELECTED_TTS";

} // namespace

MCommonCountBtnViewController::MCommonCountBtnViewController() {
    setName("MCommonCountBtnViewController");
}

MCommonCountBtnViewController::~MCommonCountBtnViewController() = default;

void MCommonCountBtnViewController::setClickedCb(const std::function<void()>& cb) {
    _onClicked = cb;
}

void MCommonCountBtnViewController::setCount(int count) {
    MSG_LOGD("count : %d", count);
    _count = count;
}

Evas_Object* MCommonCountBtnViewController::onCreateView(Evas_Object* parent, void*) {
    MSG_RETV_IF(!parent, nullptr, "parent is null");
    Evas_Object* button = elm_button_add(parent);
    MSG_RETV_IF(!button, nullptr, "button is null");
    elm_object_style_set(button, "select_mode");
    elm_object_part_content_set(parent, "elm.swallow.icon", button);
    evas_object_smart_callback_add(button, "clicked", _buttonClickedCb, this);
    efl_access_object_reading_info_type_set(
        button, static_cast<Efl_Access_Reading_Info_Type>(EFL_ACCESS_READING_INFO_TYPE_NAME |
                                                          EFL_ACCESS_READING_INFO_TYPE_ROLE));
    return button;
}

void MCommonCountBtnViewController::show() const {
    Evas_Object* button = getEvasObject();
    MSG_RET_IF(!button, "button is null");
    std::string text;
    MCommonI18n::getInstance()->getFormattedNumberText(_count, text);
    if (text.empty())
        text = std::to_string(_count);
    elm_object_text_set(button, text.c_str());
    // The screen reader reads "<count> selected" as the button's name, then its role.
    std::string accessName = text + " " + common_ui_helper::get_text(SELECTED_TTS_ID);
    efl_access_object_i18n_name_set(button, accessName.c_str());
    evas_object_show(button);
}

void MCommonCountBtnViewController::_buttonClickedCb(void* data, Evas_Object*, void*) {
    auto* self = static_cast<MCommonCountBtnViewController*>(data);
    MSG_RET_IF(!self, "data is null");
    if (self->_onClicked)
        self->_onClicked();
}

} // namespace msg_app
