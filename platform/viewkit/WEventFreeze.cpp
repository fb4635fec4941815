#include "view_kit/WEventFreeze.h"

namespace view_kit {

WEventFreeze::WEventFreeze(Evas_Object* member) {
    if (!member)
        return;
    _canvas = evas_object_evas_get(member);
    if (!_canvas)
        return;
    efl_wref_add(_canvas, &_canvas);
    evas_event_freeze(_canvas);
}

WEventFreeze::~WEventFreeze() {
    if (!_canvas)
        return;
    Evas* canvas = _canvas;
    efl_wref_del(canvas, &_canvas);
    evas_event_thaw(canvas);
    evas_event_thaw_eval(canvas);
}

} // namespace view_kit
