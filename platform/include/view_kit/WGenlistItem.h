#ifndef VIEW_KIT_WGENLISTITEM_H
#define VIEW_KIT_WGENLISTITEM_H

#include <Elementary.h>

#include <memory>

namespace view_kit {

class WViewController;

// One genlist row as an object. From wgenlist_item_append on, the genlist
// item owns it: the item class's del callback deletes it with the row.
class WGenlistItem {
public:
    WGenlistItem();
    virtual ~WGenlistItem();
    WGenlistItem(const WGenlistItem&) = delete;
    WGenlistItem& operator=(const WGenlistItem&) = delete;

    // A class shared by all rows of a kind (not freed by the caller), or null.
    virtual Elm_Genlist_Item_Class* getItemClassStatic();
    // A new class (the caller frees it with elm_genlist_item_class_free) whose
    // del callback deletes the row object; overrides fill in the rest.
    virtual Elm_Genlist_Item_Class* getItemClassNew();
    virtual void onSelect(Elm_Object_Item* item);
    virtual void onSetElmObjectItem(Elm_Object_Item* item);

    Elm_Object_Item* getElmObjectItem() const { return _item; }
    void setElmObjectItem(Elm_Object_Item* item);
    // The select callback that runs onSelect; its data is the row object.
    Evas_Smart_Cb getSelectCb() const;
    // The controller whose screen shows the row, as a weak pointer.
    void attachToParentViewController(WViewController* vc);
    std::shared_ptr<WViewController> getParentViewController() const;

    // The del callback of every class: deletes the row object, if the item still has one.
    static void delCb(void* data, Evas_Object* obj);

private:
    static void _selectCb(void* data, Evas_Object* obj, void* info);

    Elm_Object_Item* _item = nullptr;
    std::weak_ptr<WViewController> _parent;
};

} // namespace view_kit

// Appends the row; itc null means the row's static class, else a new class.
// The class must delete its row (WGenlistItem::delCb) or the append is refused
// and the row stays the caller's. Returns the genlist item or null.
Elm_Object_Item* wgenlist_item_append(Evas_Object* genlist, Elm_Genlist_Item_Class* itc,
                                      view_kit::WGenlistItem* item, Elm_Genlist_Item_Type type);
// The same with another select callback and its data.
Elm_Object_Item* wgenlist_item_append_with_callback(Evas_Object* genlist, Elm_Genlist_Item_Class* itc,
                                                    view_kit::WGenlistItem* item, Elm_Genlist_Item_Type type,
                                                    Evas_Smart_Cb func, const void* funcData);
// The same at the start, and before another item (at the end when before is null).
Elm_Object_Item* wgenlist_item_prepend(Evas_Object* genlist, Elm_Genlist_Item_Class* itc,
                                       view_kit::WGenlistItem* item, Elm_Genlist_Item_Type type);
Elm_Object_Item* wgenlist_item_insert_before(Evas_Object* genlist, Elm_Genlist_Item_Class* itc,
                                             view_kit::WGenlistItem* item, Elm_Object_Item* before,
                                             Elm_Genlist_Item_Type type);
// The same for a row the caller holds in its handle: placed, the row goes to the genlist item;
// refused, it is deleted with the handle, so no failure path has to delete it by hand.
Elm_Object_Item* wgenlist_item_append(Evas_Object* genlist, Elm_Genlist_Item_Class* itc,
                                      std::unique_ptr<view_kit::WGenlistItem> item,
                                      Elm_Genlist_Item_Type type);
Elm_Object_Item* wgenlist_item_prepend(Evas_Object* genlist, Elm_Genlist_Item_Class* itc,
                                       std::unique_ptr<view_kit::WGenlistItem> item,
                                       Elm_Genlist_Item_Type type);
Elm_Object_Item* wgenlist_item_insert_before(Evas_Object* genlist, Elm_Genlist_Item_Class* itc,
                                             std::unique_ptr<view_kit::WGenlistItem> item,
                                             Elm_Object_Item* before, Elm_Genlist_Item_Type type);

#endif
