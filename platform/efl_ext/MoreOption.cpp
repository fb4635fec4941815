// The cue's screen-reader object uses the toolkit's beta accessibility API.
#ifndef EFL_BETA_API_SUPPORT
#define EFL_BETA_API_SUPPORT
#endif

#include "MoreOption.h"

#include "RotaryRouter.h"
#include "RotarySelector.h"
#include "efl_ext/Theme.h"
#include "log/PlatformLog.h"

namespace eext {

namespace {

const char* const DATA_KEY = "eext.more_option";
const char* const CUE_ACCESS_NAME = "More options";

} // namespace

MoreOption::MoreOption(Evas_Object* layout, Evas_Object* cue) : _layout(layout), _cue(cue) {
    evas_object_data_set(layout, DATA_KEY, this);
    evas_object_event_callback_add(layout, EVAS_CALLBACK_DEL, _layoutDelCb, this);
    elm_layout_signal_callback_add(cue, "mouse,clicked,1", "access", _cueClickedCb, this);
    elm_layout_signal_callback_add(layout, "eext,panel,shown", "eext", _panelShownCb, this);
    elm_layout_signal_callback_add(layout, "eext,panel,hidden", "eext", _panelHiddenCb, this);
    eext_rotary_object_event_callback_add(layout, _rotaryCb, this);
}

MoreOption::~MoreOption() {
    _setPreviousRotary(nullptr);
}

Evas_Object* MoreOption::create(Evas_Object* parent) {
    PLAT_RETV_IF(!parent, nullptr, "parent is NULL");
    Evas_Object* layout = Theme::addLayout(parent, "more_option", "base");
    PLAT_RETV_IF(!layout, nullptr, "more option layout failed");
    Evas_Object* cue = Theme::addLayout(layout, "more_option", "cue");
    if (!cue) {
        PLAT_LOGE("more option cue failed");
        evas_object_del(layout);
        return nullptr;
    }
    elm_object_part_content_set(layout, "elm.swallow.right", cue);
    auto* panel = new MoreOption(layout, cue);
    panel->_registerCueAccess();
    return layout;
}

void MoreOption::_registerCueAccess() {
    // A screen reader finds the cue by its touch part, and opens the panel from it.
    auto* part = const_cast<Evas_Object*>(edje_object_part_object_get(elm_layout_edje_get(_cue), "access"));
    Evas_Object* access = part ? elm_access_object_register(part, _cue) : nullptr;
    PLAT_RET_IF(!access, "cue access object failed");
    efl_access_object_i18n_name_set(access, CUE_ACCESS_NAME);
    efl_access_object_role_set(access, EFL_ACCESS_ROLE_PUSH_BUTTON);
    elm_access_action_cb_set(access, ELM_ACCESS_ACTION_ACTIVATE, _cueActivateCb, this);
}

Eina_Bool MoreOption::_cueActivateCb(void* data, Evas_Object*, Elm_Access_Action_Info*) {
    static_cast<MoreOption*>(data)->setOpened(true);
    return EINA_TRUE;
}

RotarySelector* MoreOption::selector() {
    if (!_selector) {
        _selector = RotarySelector::create(_layout, _layout);
        PLAT_RETV_IF(!_selector, nullptr, "rotary selector failed");
        elm_object_part_content_set(_layout, "eext.swallow.panel", _selector->object());
    }
    return _selector;
}

MoreOption* MoreOption::fromObject(const Evas_Object* obj) {
    return obj ? static_cast<MoreOption*>(evas_object_data_get(obj, DATA_KEY)) : nullptr;
}

void MoreOption::_setPreviousRotary(Evas_Object* obj) {
    if (_previousRotary)
        evas_object_event_callback_del_full(_previousRotary, EVAS_CALLBACK_DEL, _previousRotaryDelCb, this);
    _previousRotary = obj;
    if (obj)
        evas_object_event_callback_add(obj, EVAS_CALLBACK_DEL, _previousRotaryDelCb, this);
}

void MoreOption::setOpened(bool opened) {
    if (opened == _opened)
        return;
    _opened = opened;
    RotaryRouter& rotary = RotaryRouter::instance();
    if (opened) {
        if (RotarySelector* built = selector())
            built->selectDefault();
        Evas_Object* previous = rotary.activated();
        _setPreviousRotary(previous != _layout ? previous : nullptr);
        rotary.setActivated(_layout, true);
        eext_object_event_callback_add(_layout, EEXT_CALLBACK_BACK, _backCb, this);
        elm_layout_signal_emit(_layout, "eext,panel,show", "eext");
    } else {
        eext_object_event_callback_del(_layout, EEXT_CALLBACK_BACK, _backCb);
        if (rotary.activated() == _layout) {
            rotary.setActivated(_layout, false);
            if (_previousRotary)
                rotary.setActivated(_previousRotary, true);
        }
        _setPreviousRotary(nullptr);
        elm_layout_signal_emit(_layout, "eext,panel,hide", "eext");
    }
}

void MoreOption::_layoutDelCb(void* data, Evas*, Evas_Object*, void*) {
    delete static_cast<MoreOption*>(data);
}

void MoreOption::_previousRotaryDelCb(void* data, Evas*, Evas_Object*, void*) {
    static_cast<MoreOption*>(data)->_previousRotary = nullptr;
}

void MoreOption::_cueClickedCb(void* data, Evas_Object*, const char*, const char*) {
    static_cast<MoreOption*>(data)->setOpened(true);
}

void MoreOption::_panelShownCb(void* data, Evas_Object*, const char*, const char*) {
    auto* self = static_cast<MoreOption*>(data);
    if (self->_opened)
        evas_object_smart_callback_call(self->_layout, "more,option,opened", nullptr);
}

void MoreOption::_panelHiddenCb(void* data, Evas_Object*, const char*, const char*) {
    auto* self = static_cast<MoreOption*>(data);
    if (!self->_opened)
        evas_object_smart_callback_call(self->_layout, "more,option,closed", nullptr);
}

void MoreOption::_backCb(void* data, Evas_Object*, void*) {
    static_cast<MoreOption*>(data)->setOpened(false);
}

Eina_Bool MoreOption::_rotaryCb(void* data, Evas_Object*, Eext_Rotary_Event_Info* info) {
    auto* self = static_cast<MoreOption*>(data);
    if (!self->_opened || !self->_selector)
        return EINA_TRUE;
    self->_selector->rotate(info->direction);
    return EINA_FALSE;
}

} // namespace eext

using eext::MoreOption;
using eext::RotarySelector;

namespace {

RotarySelector* selectorOf(const Evas_Object* obj, bool build = true) {
    MoreOption* panel = MoreOption::fromObject(obj);
    PLAT_RETV_IF(!panel, nullptr, "not a more option object");
    return build ? panel->selector() : panel->builtSelector();
}

Eext_Object_Item* itemAdd(Evas_Object* obj, bool append) {
    RotarySelector* selector = selectorOf(obj);
    return selector ? selector->add(append) : nullptr;
}

} // namespace

extern "C" {

Evas_Object* eext_more_option_add(Evas_Object* parent) {
    return MoreOption::create(parent);
}

Eext_Object_Item* eext_more_option_item_append(Evas_Object* obj) {
    return itemAdd(obj, true);
}

Eext_Object_Item* eext_more_option_item_prepend(Evas_Object* obj) {
    return itemAdd(obj, false);
}

void eext_more_option_item_del(Eext_Object_Item* item) {
    PLAT_RET_IF(!item || !item->obj, "item is NULL");
    evas_object_del(item->obj);
}

void eext_more_option_items_clear(Evas_Object* obj) {
    if (RotarySelector* selector = selectorOf(obj, false))
        selector->clear();
}

const Eina_List* eext_more_option_items_get(const Evas_Object* obj) {
    RotarySelector* selector = selectorOf(obj, false);
    return selector ? selector->items() : nullptr;
}

void eext_more_option_item_part_text_set(Eext_Object_Item* item, const char* part, const char* text) {
    RotarySelector::setText(item, part, text);
}

const char* eext_more_option_item_part_text_get(const Eext_Object_Item* item, const char* part) {
    return RotarySelector::text(item, part);
}

void eext_more_option_item_part_content_set(Eext_Object_Item* item, const char* part, Evas_Object* content) {
    PLAT_RET_IF(!item || !item->obj, "item is NULL");
    elm_object_part_content_set(item->obj, part, content);
}

Evas_Object* eext_more_option_item_part_content_get(const Eext_Object_Item* item, const char* part) {
    PLAT_RETV_IF(!item || !item->obj, nullptr, "item is NULL");
    return elm_object_part_content_get(item->obj, part);
}

void eext_more_option_opened_set(Evas_Object* obj, Eina_Bool opened) {
    MoreOption* panel = MoreOption::fromObject(obj);
    PLAT_RET_IF(!panel, "not a more option object");
    panel->setOpened(opened);
}

Eina_Bool eext_more_option_opened_get(const Evas_Object* obj) {
    MoreOption* panel = MoreOption::fromObject(obj);
    return panel && panel->opened();
}

Evas_Object* eext_more_option_rotary_selector_get(const Evas_Object* obj) {
    RotarySelector* selector = selectorOf(obj);
    return selector ? selector->object() : nullptr;
}

Eext_Object_Item* eext_rotary_selector_selected_item_get(const Evas_Object* selector) {
    RotarySelector* self = RotarySelector::fromObject(selector);
    return self ? self->selected() : nullptr;
}

void eext_rotary_selector_selected_item_set(Evas_Object* selector, Eext_Object_Item* item) {
    RotarySelector* self = RotarySelector::fromObject(selector);
    PLAT_RET_IF(!self, "not a rotary selector");
    self->select(item);
}
}
