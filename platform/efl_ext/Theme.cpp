#include "efl_ext/Theme.h"

#include "efl_ext/ResourceDir.h"
#include "log/PlatformLog.h"

#include <unistd.h>

namespace eext {

const std::string& Theme::file() {
    static const std::string path = ResourceDir::file("edje/efl_ext.edj");
    return path;
}

bool Theme::ensure() {
    static bool added = false;
    if (added)
        return true;
    PLAT_RETV_IF(access(file().c_str(), R_OK) != 0, false, "theme %s is missing", file().c_str());
    elm_theme_extension_add(nullptr, file().c_str());
    added = true;
    return true;
}

Evas_Object* Theme::addLayout(Evas_Object* parent, const char* klass, const char* group) {
    PLAT_RETV_IF(!parent, nullptr, "parent is NULL");
    ensure();
    Evas_Object* layout = elm_layout_add(parent);
    PLAT_RETV_IF(!layout, nullptr, "elm_layout_add() failed");
    if (!elm_layout_theme_set(layout, klass, group, "default"))
        PLAT_LOGE("no theme group for %s/%s", klass, group);
    return layout;
}

Evas_Object* Theme::addEdje(Evas* evas, const char* group) {
    PLAT_RETV_IF(!evas, nullptr, "evas is NULL");
    Evas_Object* edje = edje_object_add(evas);
    if (!edje_object_file_set(edje, file().c_str(), group)) {
        PLAT_LOGE("group %s not found in %s", group, file().c_str());
        evas_object_del(edje);
        return nullptr;
    }
    return edje;
}

} // namespace eext
