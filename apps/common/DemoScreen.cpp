#include "DemoScreen.h"

#include "DemoItem.h"
#include "common/MsgLog.h"
#include "efl_ext/ResourceDir.h"
#include "view_kit/WPopupController.h"
#include "view_kit/WWindowController.h"

#include <cstring>

namespace msg_app {
namespace shell {

namespace {

const char* const OPTION_POPUP = "Popup";

} // namespace

DemoScreen::DemoScreen(Start start) : _start(start) {
    setName("DemoScreen");
}

const char* DemoScreen::getClassName() const {
    return "DemoScreen";
}

Evas_Object* DemoScreen::onCreateView(Evas_Object* parent, void*) {
    _moreOption = eext_more_option_add(parent);
    MSG_RETV_IF(!_moreOption, nullptr, "more option failed");
    evas_object_event_callback_add(_moreOption, EVAS_CALLBACK_DEL, _objDelCb, &_moreOption);

    _genlist = elm_genlist_add(_moreOption);
    elm_genlist_mode_set(_genlist, ELM_LIST_COMPRESS);
    elm_genlist_homogeneous_set(_genlist, EINA_FALSE);
    evas_object_event_callback_add(_genlist, EVAS_CALLBACK_DEL, _objDelCb, &_genlist);
    elm_object_part_content_set(_moreOption, "elm.swallow.content", _genlist);

    view_kit::WWindowController* window = view_kit::WWindowController::getFromObject(parent);
    _circle = eext_circle_object_genlist_add(_genlist, window ? window->getCircleSurface() : nullptr);
    if (_circle) {
        evas_object_event_callback_add(_circle, EVAS_CALLBACK_DEL, _objDelCb, &_circle);
        eext_circle_object_genlist_scroller_policy_set(_circle, ELM_SCROLLER_POLICY_OFF,
                                                       ELM_SCROLLER_POLICY_AUTO);
    }
    _appendItems();
    _appendOption(OPTION_POPUP, "Show a round popup", "img/option/compose");
    _appendOption("Settings", "Nothing to set yet", "img/option/recipients");
    evas_object_smart_callback_add(_moreOption, "item,clicked", _optionClickedCb, this);
    elm_object_signal_emit(_moreOption, "cue,show", "elm");
    return _moreOption;
}

void DemoScreen::onCreated() {
    if (_circle)
        eext_rotary_object_event_activated_set(_circle, EINA_TRUE);
    if (_start == Start::OPTIONS)
        eext_more_option_opened_set(_moreOption, EINA_TRUE);
    else if (_start == Start::POPUP)
        showPopup();
}

void DemoScreen::onBecomeTop() {
    if (_circle)
        eext_rotary_object_event_activated_set(_circle, EINA_TRUE);
}

// The objects outlive this controller by a moment when the parent deletes
// the view: their callbacks must not reach it any more.
void DemoScreen::onDestroy() {
    if (_moreOption) {
        evas_object_smart_callback_del_full(_moreOption, "item,clicked", _optionClickedCb, this);
        evas_object_event_callback_del_full(_moreOption, EVAS_CALLBACK_DEL, _objDelCb, &_moreOption);
    }
    if (_genlist)
        evas_object_event_callback_del_full(_genlist, EVAS_CALLBACK_DEL, _objDelCb, &_genlist);
    if (_circle)
        evas_object_event_callback_del_full(_circle, EVAS_CALLBACK_DEL, _objDelCb, &_circle);
}

void DemoScreen::_appendItems() {
    auto append = [this](view_kit::WGenlistItem* item) {
        if (!wgenlist_item_append(_genlist, nullptr, item, ELM_GENLIST_ITEM_NONE))
            delete item;
    };
    append(new DemoItem("title", "Messages"));
    append(new DemoItem("1text", "Open a popup", [this] { showPopup(); }));
    append(new DemoItem("1text", "Turn the bezel"));
    append(new DemoItem("1text", "Tap the cue for options"));
    append(new DemoItem("1text", "Back closes a screen"));
    append(new DemoItem("1text", "Round scroll bar"));
    append(new DemoItem("1text", "Dark watch theme"));
}

void DemoScreen::_appendOption(const char* text, const char* subText, const char* icon) {
    Eext_Object_Item* item = eext_more_option_item_append(_moreOption);
    MSG_RET_IF(!item, "eext_more_option_item_append() failed.");
    eext_more_option_item_part_text_set(item, "selector,main_text", text);
    eext_more_option_item_part_text_set(item, "selector,sub_text", subText);
    Evas_Object* image = elm_image_add(item->obj);
    elm_image_file_set(image, eext::ResourceDir::file("edje/images.edj").c_str(), icon);
    eext_more_option_item_part_content_set(item, "item,icon", image);
}

void DemoScreen::showPopup() {
    auto* popup = new view_kit::WPopupController();
    popup->setOnAddProperties([](Evas_Object* obj) {
        elm_object_style_set(obj, "circle");
        evas_object_size_hint_weight_set(obj, EVAS_HINT_EXPAND, EVAS_HINT_EXPAND);
        elm_object_part_text_set(obj, "title,text", "Demo");
        elm_object_text_set(obj, "A round popup of the framework.");
    });
    popup->addButton("OK", nullptr,
                     [](Evas_Object* button) { elm_object_style_set(button, "popup/circle"); });
    attachPopup(popup);
}

void DemoScreen::_optionClickedCb(void* data, Evas_Object*, void* info) {
    auto* self = static_cast<DemoScreen*>(data);
    auto* item = static_cast<Eext_Object_Item*>(info);
    const char* text = eext_more_option_item_part_text_get(item, "selector,main_text");
    eext_more_option_opened_set(self->_moreOption, EINA_FALSE);
    if (text && !strcmp(text, OPTION_POPUP))
        self->showPopup();
}

void DemoScreen::_objDelCb(void* data, Evas*, Evas_Object*, void*) {
    *static_cast<Evas_Object**>(data) = nullptr;
}

} // namespace shell
} // namespace msg_app
