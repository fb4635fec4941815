#include "WidgetOptions.h"

#include "GenlistMargin.h"
#include "log/PlatformLog.h"
#include "qel.h"

#include <efl_extension.h>

#include <cstring>

namespace qel {

bool WidgetOptions::isWidget(const Evas_Object* obj, const char* type) {
    const char* actual = obj ? elm_object_widget_type_get(obj) : nullptr;
    return actual && !strcmp(actual, type);
}

void WidgetOptions::setFlag(Evas_Object* obj, const char* key, bool on) {
    if (on)
        evas_object_data_set(obj, key, reinterpret_cast<void*>(1));
    else
        evas_object_data_del(obj, key);
}

bool WidgetOptions::flag(const Evas_Object* obj, const char* key) {
    return obj && evas_object_data_get(obj, key) != nullptr;
}

namespace {

// Bezel steps inside a popup scroll its content's first scroller, if any.
Eina_Bool popupRotaryCb(void*, Evas_Object* popup, Eext_Rotary_Event_Info* info) {
    Evas_Object* content = elm_object_content_get(popup);
    if (content && WidgetOptions::isWidget(content, "Elm_Scroller")) {
        int x, y, w, h;
        elm_scroller_region_get(content, &x, &y, &w, &h);
        int step = h / 4;
        y += info->direction == EEXT_ROTARY_EVENT_DIRECTION_CLOCKWISE ? step : -step;
        elm_scroller_region_bring_in(content, x, y, w, h);
    }
    return EINA_FALSE;
}

void popupShowCb(void*, Evas*, Evas_Object* popup, void*) {
    eext_rotary_object_event_activated_set(popup, EINA_TRUE);
}

} // namespace

} // namespace qel

using qel::WidgetOptions;

extern "C" {

void qel_genlist_set_bottom_margin_enabled(Evas_Object* genlist, Eina_Bool enabled) {
    PLAT_RET_IF(!WidgetOptions::isWidget(genlist, "Elm_Genlist"), "not a genlist");
    if (qel::GenlistMargin::apply(genlist, enabled))
        WidgetOptions::setFlag(genlist, WidgetOptions::BOTTOM_MARGIN_KEY, enabled);
}

Eina_Bool qel_genlist_get_bottom_margin_enabled(const Evas_Object* genlist) {
    return WidgetOptions::flag(genlist, WidgetOptions::BOTTOM_MARGIN_KEY);
}

void qel_genlist_set_content_reuse_enabled(Evas_Object* genlist, Eina_Bool enabled) {
    PLAT_RET_IF(!WidgetOptions::isWidget(genlist, "Elm_Genlist"), "not a genlist");
    // Elementary reuses contents only through an item class's
    // reusable_content_get; the flag tells item classes they may provide one.
    WidgetOptions::setFlag(genlist, WidgetOptions::CONTENT_REUSE_KEY, enabled);
}

Eina_Bool qel_genlist_get_content_reuse_enabled(const Evas_Object* genlist) {
    return WidgetOptions::flag(genlist, WidgetOptions::CONTENT_REUSE_KEY);
}

void qel_scroller_set_auto_scroll_enabled(Evas_Object* scroller, Eina_Bool enabled) {
    PLAT_RET_IF(!scroller, "scroller is NULL");
    WidgetOptions::setFlag(scroller, WidgetOptions::AUTO_SCROLL_OFF_KEY, !enabled);
}

Eina_Bool qel_scroller_get_auto_scroll_enabled(const Evas_Object* scroller) {
    return scroller && !WidgetOptions::flag(scroller, WidgetOptions::AUTO_SCROLL_OFF_KEY);
}

void qel_popup_set_rotary_event_enabled(Evas_Object* popup, Eina_Bool enabled) {
    PLAT_RET_IF(!popup, "popup is NULL");
    eext_rotary_object_event_callback_del(popup, qel::popupRotaryCb);
    evas_object_event_callback_del(popup, EVAS_CALLBACK_SHOW, qel::popupShowCb);
    if (!enabled) {
        eext_rotary_object_event_activated_set(popup, EINA_FALSE);
        return;
    }
    eext_rotary_object_event_callback_add(popup, qel::popupRotaryCb, nullptr);
    evas_object_event_callback_add(popup, EVAS_CALLBACK_SHOW, qel::popupShowCb, nullptr);
    if (evas_object_visible_get(popup))
        eext_rotary_object_event_activated_set(popup, EINA_TRUE);
}

Eina_Bool qel_label_append_item_provider(Evas_Object* label, Elm_Entry_Item_Provider_Cb func, void* data) {
    PLAT_RETV_IF(!func, EINA_FALSE, "func is NULL");
    PLAT_RETV_IF(!WidgetOptions::isWidget(label, "Elm_Entry"), EINA_FALSE, "item providers need an entry");
    elm_entry_item_provider_append(label, func, data);
    return EINA_TRUE;
}
}
