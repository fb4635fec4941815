#ifndef EEXT_ROTARYSELECTOR_H
#define EEXT_ROTARYSELECTOR_H

#include "efl_extension.h"

namespace eext {

// The panel's rotary selector: icon items on a ring, a page at a time, the
// selected item ringed and its texts in the middle. Detents move the
// selection; a tap on an item, or on the middle for the selected one, clicks
// it. "item,selected" and "item,clicked" go to the owner object.
class RotarySelector {
public:
    static RotarySelector* create(Evas_Object* parent, Evas_Object* owner);
    static RotarySelector* fromObject(const Evas_Object* obj);

    Evas_Object* object() const { return _layout; }
    Eext_Object_Item* add(bool append);
    void clear();
    const Eina_List* items() const { return _items; }

    Eext_Object_Item* selected() const { return _selected; }
    void select(Eext_Object_Item* item);
    void rotate(Eext_Rotary_Event_Direction direction);
    // Makes sure some item is selected (the first one) while items exist.
    void selectDefault();

    static void setText(Eext_Object_Item* item, const char* part, const char* text);
    static const char* text(const Eext_Object_Item* item, const char* part);

private:
    RotarySelector(Evas_Object* layout, Evas_Object* box, Evas_Object* owner);
    ~RotarySelector();
    void _forget(Eext_Object_Item* item);
    void _click(Eext_Object_Item* item);
    void _showTexts();
    int _indexOf(const Eext_Object_Item* item) const;
    int _themeValue(const char* key, int fallback) const;

    static void _layoutBoxCb(Evas_Object* o, Evas_Object_Box_Data* priv, void* data);
    static void _layoutDelCb(void* data, Evas* e, Evas_Object* obj, void* info);
    static void _itemDelCb(void* data, Evas* e, Evas_Object* obj, void* info);
    static void _itemClickedCb(void* data, Evas_Object* obj, const char* emission, const char* source);
    static void _middleClickedCb(void* data, Evas_Object* obj, const char* emission, const char* source);

    Evas_Object* _layout;
    Evas_Object* _box;
    Evas_Object* _owner;
    Eina_List* _items = nullptr;
    Eext_Object_Item* _selected = nullptr;
};

} // namespace eext

#endif
