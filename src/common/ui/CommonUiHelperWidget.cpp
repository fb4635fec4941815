// The screen-reader relations are part of the accessibility API that EFL marks as beta.
#ifndef EFL_BETA_API_SUPPORT
#define EFL_BETA_API_SUPPORT
#endif
#include "common/ui/CommonUiHelperWidget.h"

#include "common/MsgLog.h"
#include "qel.h"
#include "view_kit/WContentViewController.h"
#include "view_kit/WNaviframeController.h"
#include "view_kit/WTimer.h"
#include "view_kit/WViewController.h"

namespace msg_app {
namespace common_ui_helper {

namespace {

view_kit::WNaviframeController* findNaviframeController(Evas_Object* obj) {
    for (Evas_Object* o = obj; o; o = elm_object_parent_widget_get(o)) {
        auto* naviframe =
            dynamic_cast<view_kit::WNaviframeController*>(wviewcontroller_get_instance_from_evasobj(o));
        if (naviframe)
            return naviframe;
    }
    MSG_LOGE("Can not find view instance!");
    return nullptr;
}

} // namespace

void configure_toolkit() {
    elm_config_scroll_thumbscroll_enabled_set(EINA_TRUE);
    elm_config_focus_autoscroll_mode_set(ELM_FOCUS_AUTOSCROLL_MODE_NONE);
}

Evas_Object* add_app_layout(Evas_Object* parent) {
    Evas_Object* layout = elm_layout_add(parent);
    MSG_RETV_IF(!layout, nullptr, "elm_layout_add() failed");
    elm_layout_theme_set(layout, "layout", "application", "default");
    evas_object_size_hint_weight_set(layout, EVAS_HINT_EXPAND, EVAS_HINT_EXPAND);
    evas_object_size_hint_align_set(layout, EVAS_HINT_FILL, EVAS_HINT_FILL);
    return layout;
}

Evas_Object* add_circle_genlist(Evas_Object* genlist, Eext_Circle_Surface* circleSurface) {
    MSG_RETV_IF(!genlist, nullptr, "genlist is nullptr!!");
    MSG_RETV_IF(!circleSurface, nullptr, "circleSurface is nullptr!!");
    Evas_Object* circle = eext_circle_object_genlist_add(genlist, circleSurface);
    MSG_RETV_IF(!circle, nullptr, "failed to create circle_genlist");
    eext_circle_object_genlist_scroller_policy_set(circle, ELM_SCROLLER_POLICY_OFF, ELM_SCROLLER_POLICY_AUTO);
    return circle;
}

void prepare_screen_genlist(Evas_Object* genlist, Eext_Circle_Surface* circleSurface) {
    MSG_RET_IF(!genlist, "genlist is nullptr!!");
    if (circleSurface)
        add_circle_genlist(genlist, circleSurface);
}

void remeasure_genlist_later(Evas_Object* genlist, std::weak_ptr<view_kit::WTimer>& timer) {
    MSG_RET_IF(!genlist, "genlist is nullptr!!");
    if (!timer.expired())
        return;
    // A change of its width has the genlist measure its rows.
    timer = view_kit::WTimer::addTimer(
        0.0,
        [genlist, &timer](void*) {
            timer.reset();
            int w = 0, h = 0;
            evas_object_geometry_get(genlist, nullptr, nullptr, &w, &h);
            if (w > 1) {
                evas_object_resize(genlist, w - 1, h);
                evas_object_resize(genlist, w, h);
            }
            return false;
        },
        nullptr);
}

void set_access_previous_next(Evas_Object* from, Evas_Object* to) {
    MSG_RET_IF(!from, "from object  == nullptr");
    MSG_RET_IF(!to, "to object  == nullptr");
    efl_access_object_relationship_append(from, EFL_ACCESS_RELATION_TYPE_FLOWS_TO, to);
    efl_access_object_relationship_append(to, EFL_ACCESS_RELATION_TYPE_FLOWS_FROM, from);
}

Evas_Object* get_access_layout_part_ao(Evas_Object* layout, const char* part) {
    MSG_RETV_IF(!layout, nullptr, "layout is nullptr!!");
    MSG_RETV_IF(!part, nullptr, "part is nullptr!!");
    Evas_Object* edjeObj = elm_layout_edje_get(layout);
    MSG_RETV_IF(!edjeObj, nullptr, "edje_obj is nullptr");
    auto* partObj = const_cast<Evas_Object*>(edje_object_part_object_get(edjeObj, part));
    MSG_RETV_IF(!partObj, nullptr, "part_obj is nullptr");
    Evas_Object* partAo = elm_access_object_get(partObj);
    MSG_RETV_IF(!partAo, nullptr, "part_ao is nullptr");
    return partAo;
}

bool push_to_naviframe(Evas_Object* obj, view_kit::WContentViewController* vc) {
    MSG_RETV_IF(!vc, false, "vc is nullptr.");
    view_kit::WNaviframeController* naviframe = obj ? findNaviframeController(obj) : nullptr;
    if (!obj)
        MSG_LOGE("obj is nullptr.");
    else if (!naviframe)
        MSG_LOGE("_get_naviframe_view_controller() is failed.");
    if (!naviframe) {
        // Handed over but not pushed: nothing else will free it.
        vc->destroy();
        return false;
    }
    return naviframe->push(vc);
}

bool push_to_naviframe_by_item(Elm_Object_Item* item, view_kit::WContentViewController* vc) {
    return push_to_naviframe(item ? elm_object_item_widget_get(item) : nullptr, vc);
}

} // namespace common_ui_helper
} // namespace msg_app
