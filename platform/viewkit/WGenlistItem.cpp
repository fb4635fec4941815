#include "view_kit/WGenlistItem.h"

#include "log/PlatformLog.h"
#include "view_kit/WViewController.h"

namespace view_kit {

WGenlistItem::WGenlistItem() = default;

WGenlistItem::~WGenlistItem() = default;

Elm_Genlist_Item_Class* WGenlistItem::getItemClassStatic() {
    return nullptr;
}

Elm_Genlist_Item_Class* WGenlistItem::getItemClassNew() {
    Elm_Genlist_Item_Class* itc = elm_genlist_item_class_new();
    if (itc)
        itc->func.del = delCb;
    return itc;
}

void WGenlistItem::onSelect(Elm_Object_Item*) {}

void WGenlistItem::onSetElmObjectItem(Elm_Object_Item*) {}

void WGenlistItem::setElmObjectItem(Elm_Object_Item* item) {
    _item = item;
    onSetElmObjectItem(item);
}

Evas_Smart_Cb WGenlistItem::getSelectCb() const {
    return _selectCb;
}

void WGenlistItem::attachToParentViewController(WViewController* vc) {
    _parent = vc ? vc->getWeakPtr() : std::weak_ptr<WViewController>();
}

std::shared_ptr<WViewController> WGenlistItem::getParentViewController() const {
    return _parent.lock();
}

void WGenlistItem::delCb(void* data, Evas_Object*) {
    auto* item = static_cast<WGenlistItem*>(data);
    // A row that moved to another item left this one without data.
    if (!item)
        return;
    item->_item = nullptr;
    delete item;
}

void WGenlistItem::_selectCb(void* data, Evas_Object*, void* info) {
    static_cast<WGenlistItem*>(data)->onSelect(static_cast<Elm_Object_Item*>(info));
}

} // namespace view_kit

using view_kit::WGenlistItem;

namespace {

// Places the row with `place` once its class is known to delete it; the row stays the caller's
// when refused.
template <typename Place>
Elm_Object_Item* placeItem(Evas_Object* genlist, Elm_Genlist_Item_Class* itc, WGenlistItem* item,
                           Place place) {
    PLAT_RETV_IF(!genlist, nullptr, "genlist is NULL");
    PLAT_RETV_IF(!item, nullptr, "item is NULL");
    Elm_Genlist_Item_Class* ownClass = nullptr;
    if (!itc)
        itc = item->getItemClassStatic();
    if (!itc)
        itc = ownClass = item->getItemClassNew();
    PLAT_RETV_IF(!itc, nullptr, "no item class");
    Elm_Object_Item* it = nullptr;
    if (itc->func.del != WGenlistItem::delCb)
        PLAT_LOGE("the item class does not delete its row; refused");
    else
        it = place(itc);
    if (ownClass)
        elm_genlist_item_class_free(ownClass);
    PLAT_RETV_IF(!it, nullptr, "adding the genlist item failed");
    item->setElmObjectItem(it);
    return it;
}

// A placed row belongs to its genlist item from now on; a refused one goes with its handle.
Elm_Object_Item* adopted(std::unique_ptr<WGenlistItem>& item, Elm_Object_Item* it) {
    if (it)
        item.release();
    return it;
}

} // namespace

Elm_Object_Item* wgenlist_item_append_with_callback(Evas_Object* genlist, Elm_Genlist_Item_Class* itc,
                                                    WGenlistItem* item, Elm_Genlist_Item_Type type,
                                                    Evas_Smart_Cb func, const void* funcData) {
    return placeItem(genlist, itc, item, [&](Elm_Genlist_Item_Class* cls) {
        return elm_genlist_item_append(genlist, cls, item, nullptr, type, func, funcData);
    });
}

Elm_Object_Item* wgenlist_item_append(Evas_Object* genlist, Elm_Genlist_Item_Class* itc, WGenlistItem* item,
                                      Elm_Genlist_Item_Type type) {
    PLAT_RETV_IF(!item, nullptr, "item is NULL");
    return wgenlist_item_append_with_callback(genlist, itc, item, type, item->getSelectCb(), item);
}

Elm_Object_Item* wgenlist_item_prepend(Evas_Object* genlist, Elm_Genlist_Item_Class* itc, WGenlistItem* item,
                                       Elm_Genlist_Item_Type type) {
    return placeItem(genlist, itc, item, [&](Elm_Genlist_Item_Class* cls) {
        return elm_genlist_item_prepend(genlist, cls, item, nullptr, type, item->getSelectCb(), item);
    });
}

Elm_Object_Item* wgenlist_item_insert_before(Evas_Object* genlist, Elm_Genlist_Item_Class* itc,
                                             WGenlistItem* item, Elm_Object_Item* before,
                                             Elm_Genlist_Item_Type type) {
    if (!before)
        return wgenlist_item_append(genlist, itc, item, type);
    return placeItem(genlist, itc, item, [&](Elm_Genlist_Item_Class* cls) {
        return elm_genlist_item_insert_before(genlist, cls, item, nullptr, before, type, item->getSelectCb(),
                                              item);
    });
}

Elm_Object_Item* wgenlist_item_append(Evas_Object* genlist, Elm_Genlist_Item_Class* itc,
                                      std::unique_ptr<WGenlistItem> item, Elm_Genlist_Item_Type type) {
    return adopted(item, wgenlist_item_append(genlist, itc, item.get(), type));
}

Elm_Object_Item* wgenlist_item_prepend(Evas_Object* genlist, Elm_Genlist_Item_Class* itc,
                                       std::unique_ptr<WGenlistItem> item, Elm_Genlist_Item_Type type) {
    return adopted(item, wgenlist_item_prepend(genlist, itc, item.get(), type));
}

Elm_Object_Item* wgenlist_item_insert_before(Evas_Object* genlist, Elm_Genlist_Item_Class* itc,
                                             std::unique_ptr<WGenlistItem> item, Elm_Object_Item* before,
                                             Elm_Genlist_Item_Type type) {
    return adopted(item, wgenlist_item_insert_before(genlist, itc, item.get(), before, type));
}
