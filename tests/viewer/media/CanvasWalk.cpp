#include "CanvasWalk.h"

#include <cstring>

namespace msg_test {

namespace {

bool isPrimitive(Evas_Object* obj) {
    static const char* const primitives[] = {"rectangle", "image",   "text",    "textblock",
                                             "line",      "polygon", "textgrid"};
    const char* type = evas_object_type_get(obj);
    for (const char* primitive : primitives) {
        if (type && strcmp(type, primitive) == 0)
            return true;
    }
    return false;
}

} // namespace

Evas_Object* findObject(Evas_Object* root, const std::function<bool(Evas_Object*)>& take) {
    if (!root)
        return nullptr;
    if (take(root))
        return root;
    if (isPrimitive(root))
        return nullptr;
    Eina_List* members = evas_object_smart_members_get(root);
    Evas_Object* found = nullptr;
    void* member = nullptr;
    EINA_LIST_FREE(members, member) {
        if (!found)
            found = findObject(static_cast<Evas_Object*>(member), take);
    }
    return found;
}

Evas_Object* findOnCanvas(Evas* canvas, const std::function<bool(Evas_Object*)>& take) {
    Eina_List* objects =
        evas_objects_in_rectangle_get(canvas, -10000, -10000, 20000, 20000, EINA_TRUE, EINA_TRUE);
    Evas_Object* found = nullptr;
    void* object = nullptr;
    EINA_LIST_FREE(objects, object) {
        if (!found)
            found = findObject(static_cast<Evas_Object*>(object), take);
    }
    return found;
}

bool showsText(Evas_Object* obj, const std::string& text) {
    const char* type = evas_object_type_get(obj);
    const char* shown = nullptr;
    if (type && strcmp(type, "textblock") == 0)
        shown = evas_object_textblock_text_markup_get(obj);
    else if (type && strcmp(type, "text") == 0)
        shown = evas_object_text_text_get(obj);
    return shown && std::string(shown).find(text) != std::string::npos;
}

} // namespace msg_test
