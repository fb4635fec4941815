#ifndef EEXT_ROTARYROUTER_H
#define EEXT_ROTARYROUTER_H

#include "efl_extension.h"

#include <map>
#include <vector>

namespace eext {

// Delivers bezel detents: to the callbacks of the one activated object, in
// ascending priority, until one consumes the detent; what is left goes to
// the global handlers.
class RotaryRouter {
public:
    static RotaryRouter& instance();

    bool addCallback(Evas_Object* obj, int priority, Eext_Rotary_Event_Cb func, void* data);
    void* removeCallback(Evas_Object* obj, Eext_Rotary_Event_Cb func);
    void setActivated(Evas_Object* obj, bool activated);
    Evas_Object* activated() const { return _active; }

    bool addHandler(Eext_Rotary_Handler_Cb func, void* data);
    void* removeHandler(Eext_Rotary_Handler_Cb func);

    void dispatch(Evas* e, Eext_Rotary_Event_Direction direction, unsigned int timestamp);

private:
    struct Callback {
        int priority;
        unsigned long order;
        Eext_Rotary_Event_Cb func;
        void* data;
    };
    struct Handler {
        Eext_Rotary_Handler_Cb func;
        void* data;
    };

    bool _deliverToObject(Evas_Object* obj, Eext_Rotary_Event_Info* info);
    bool _stillRegistered(Evas_Object* obj, const Callback& cb) const;
    void _watch(Evas_Object* obj);
    void _unwatch(Evas_Object* obj);
    static void _objDelCb(void* data, Evas* e, Evas_Object* obj, void* info);

    std::map<Evas_Object*, std::vector<Callback>> _callbacks;
    std::vector<Handler> _handlers;
    Evas_Object* _active = nullptr;
    unsigned long _nextOrder = 0;
};

} // namespace eext

#endif
