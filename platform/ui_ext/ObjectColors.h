#ifndef QEL_OBJECTCOLORS_H
#define QEL_OBJECTCOLORS_H

#include <Elementary.h>

#include <map>
#include <string>
#include <vector>

namespace qel {

// Colour-class replacements on single objects and on genlist items. An item's
// replacements are kept with the item and applied to its view whenever the
// genlist realizes it again.
class ObjectColors {
public:
    static ObjectColors& instance();

    bool replace(Evas_Object* obj, const char* from, const char* to);
    bool replaceOnItem(Elm_Object_Item* item, const char* from, const char* to);

private:
    using Replacements = std::vector<std::pair<std::string, std::string>>;

    static bool _apply(Evas_Object* edje, const char* from, const char* to);
    static Evas_Object* _itemView(Elm_Object_Item* item);
    void _applyToItem(Elm_Object_Item* item);
    void _scheduleApply(Elm_Object_Item* item);
    static void _realizedCb(void* data, Evas_Object* obj, void* info);
    static void _itemDelCb(void* data, const Efl_Event* event);

    std::map<Elm_Object_Item*, Replacements> _items;
};

} // namespace qel

#endif
