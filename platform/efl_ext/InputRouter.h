#ifndef EEXT_INPUTROUTER_H
#define EEXT_INPUTROUTER_H

#include <Evas.h>

namespace eext {

// Turns a canvas's desktop input into the watch's hardware input: Escape is
// the back key, F1/Menu the more key, the mouse wheel and Page Up / Page Down
// the bezel. One invisible catcher per canvas, on top of everything, sees the
// input first and lets every event through to what lies below; wheel events
// it turns into detents are marked as held so that no scroller also scrolls.
class InputRouter {
public:
    // Installs the catcher on the canvas of obj (once per canvas).
    static void attach(Evas_Object* obj);

private:
    static void _catcherDelCb(void* data, Evas* e, Evas_Object* obj, void* info);
    static void _wheelCb(void* data, Evas* e, Evas_Object* obj, void* info);
    static void _keyDownCb(void* data, Evas* e, Evas_Object* obj, void* info);
};

} // namespace eext

#endif
