// The override class, which an overriding function passes to efl_super(), is
// declared among the toolkit's beta interfaces.
#define EFL_BETA_API_SUPPORT 1

#include "GenlistMargin.h"

#include "log/PlatformLog.h"

#include <algorithm>
#include <cstring>

// The toolkit exports its pan's operations but installs no header for them.
extern "C" {
EAPI void elm_obj_pan_content_size_get(const Eo* obj, int* w, int* h);
EAPI void elm_obj_pan_pos_max_get(const Eo* obj, int* x, int* y);
}

namespace qel {

namespace {

// The genlist's pan is what its scroller asks for the content's size and the
// farthest position; both grow by the margin.
Evas_Object* panOf(Evas_Object* genlist) {
    Eina_List* members = evas_object_smart_members_get(genlist);
    Evas_Object* pan = nullptr;
    Eina_List* l;
    void* member;
    EINA_LIST_FOREACH(members, l, member) {
        auto* obj = static_cast<Evas_Object*>(member);
        if (strcmp(evas_object_type_get(obj), "edje"))
            continue;
        Evas_Object* swallowed = edje_object_part_swallow_get(obj, "elm.swallow.content");
        if (swallowed && !strcmp(evas_object_type_get(swallowed), "elm_pan")) {
            pan = swallowed;
            break;
        }
    }
    eina_list_free(members);
    return pan;
}

int marginOf(const Eo* pan) {
    int h = 0;
    evas_object_geometry_get(pan, nullptr, nullptr, nullptr, &h);
    return std::max(0, h / 2);
}

void contentSizeGet(const Eo* pan, void*, int* w, int* h) {
    elm_obj_pan_content_size_get(efl_super(pan, EFL_OBJECT_OVERRIDE_CLASS), w, h);
    if (h)
        *h += marginOf(pan);
}

void posMaxGet(const Eo* pan, void*, int* x, int* y) {
    elm_obj_pan_pos_max_get(efl_super(pan, EFL_OBJECT_OVERRIDE_CLASS), x, y);
    if (!y)
        return;
    int ch = 0, ph = 0;
    elm_obj_pan_content_size_get(efl_super(pan, EFL_OBJECT_OVERRIDE_CLASS), nullptr, &ch);
    evas_object_geometry_get(pan, nullptr, nullptr, nullptr, &ph);
    *y = std::max(0, ch + marginOf(pan) - ph);
}

} // namespace

bool GenlistMargin::apply(Evas_Object* genlist, bool on) {
    Evas_Object* pan = panOf(genlist);
    PLAT_RETV_IF(!pan, false, "the genlist has no pan");
    EFL_OPS_DEFINE(ops, EFL_OBJECT_OP_FUNC(elm_obj_pan_content_size_get, contentSizeGet),
                   EFL_OBJECT_OP_FUNC(elm_obj_pan_pos_max_get, posMaxGet));
    // An object takes one set of overrides: the old one goes before a new one.
    efl_object_override(pan, nullptr);
    if (on && !efl_object_override(pan, &ops)) {
        PLAT_LOGE("efl_object_override() failed");
        return false;
    }
    // The scroller reads the sizes again on its next calculation.
    evas_object_smart_changed(pan);
    evas_object_smart_changed(genlist);
    return true;
}

} // namespace qel
