#ifndef EEXT_HARDWAREKEYS_H
#define EEXT_HARDWAREKEYS_H

#include "efl_extension.h"

#include <vector>

namespace eext {

// Object callbacks of the back and more keys. A key goes to the newest
// registration whose object is shown on the canvas that got the key, so a
// popup or panel opened over a screen takes the key while it is there.
class HardwareKeys {
public:
    static HardwareKeys& instance();

    void add(Evas_Object* obj, Eext_Callback_Type type, Eext_Event_Cb func, void* data);
    void* remove(Evas_Object* obj, Eext_Callback_Type type, Eext_Event_Cb func);
    // True when some registration took the key.
    bool dispatch(Evas* e, Eext_Callback_Type type);

    // An object counts as shown when it and all its smart parents are visible.
    static bool isShown(Evas_Object* obj);

private:
    struct Entry {
        Evas_Object* obj;
        Eext_Callback_Type type;
        Eext_Event_Cb func;
        void* data;
    };

    void _forget(Evas_Object* obj);
    bool _watched(Evas_Object* obj) const;
    static void _objDelCb(void* data, Evas* e, Evas_Object* obj, void* info);

    std::vector<Entry> _entries; // oldest first
};

} // namespace eext

#endif
